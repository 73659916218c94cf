#pragma once
#include <array>
#include <string>
#include <string_view>

namespace tarvelon {

class Form;

// One block header as the program keeps it: 15 fixed-width fields, 77 characters.
struct HeaderRecord {
    enum Field {
        Client, Site, Tube, Depth, Step, Guides, North, Readout, Date, Time,
        Point, Gain1, Gain2, Zero1, Zero2, FieldCount
    };
    static constexpr std::array<int, FieldCount> kWidths = {8, 8, 4, 4, 1, 1, 4, 2, 8, 8, 1, 7, 7, 7, 7};
    static constexpr int kLength = 77;

    HeaderRecord();
    // Stores a value cut to the field's width or padded on the right with blanks.
    void set(Field f, std::string_view value);
    const std::string& get(Field f) const { return fields_[f]; }

    // The 77 bytes of the record as the header file holds them.
    std::string bytes() const;
    // Reads a record from bytes; a short text reads as blank-padded.
    static HeaderRecord fromBytes(std::string_view bytes);

    bool operator==(const HeaderRecord&) const = default;

private:
    std::array<std::string, FieldCount> fields_;
};

// The default header of block n: "CLIENT" and n in two characters, place-holders elsewhere.
HeaderRecord defaultHeader(int n);

// Which fields travel between the record and the window.
enum class FieldSet { Header /* the ten header fields */, All /* with point, gains, zeros */ };

void recordToWindow(const HeaderRecord& record, Form& form, FieldSet set);
void windowToRecord(const Form& form, HeaderRecord& record, FieldSet set);

// The text after "C" and the block address: the ten header fields as the window holds them.
std::string headerText(const Form& form);

} // namespace tarvelon
