#pragma once
#include "platform/translate.h"

#include <string_view>

namespace tarvelon::maker {

// Who makes the unit and the program, as the about box and the manual link show them.
inline constexpr const char* kName = "Tarvelon Instruments";
inline constexpr const char* kTelephone = "+39 0471 555 0192";
inline constexpr const char* kSupportMail = "support@tarvelon.example";
inline constexpr const char* kWebSite = "https://www.tarvelon.example";
// The user guide, one file per language: the Italian one keeps the name the unit's maker gave it.
inline constexpr const char* kManualFile = "TARVELONmanuale.pdf";
inline constexpr const char* kManualFileEnglish = "TARVELONmanual.pdf";

// The guide's file in `language` ("en" or "it").
inline constexpr const char* manualFile(std::string_view language)
{
    return language == "it" ? kManualFile : kManualFileEnglish;
}
inline constexpr const char* kAuthor = QT_TRANSLATE_NOOP("Texts", "Tarvelon Manager developers");

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;
inline constexpr const char* kDescription = QT_TRANSLATE_NOOP("Texts", "Communication Software with TARVELON readout unit");

} // namespace tarvelon::maker
