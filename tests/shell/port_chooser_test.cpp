#include "shell/port_chooser.h"
#include "shell/remembered_choices.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvelon {
namespace {

QStringList listed(const PortChooser& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

TEST(PortChooser, ListsNamesUsedBeforeThenThePortsPresentAtEachDropDown)
{
    QList<PortListing> present;
    PortChooser box(nullptr, [&present] { return present; });
    box.setRecentNames({QStringLiteral("/dev/ttyACM1"), QStringLiteral("/dev/ttyUSB0")});
    box.show();
    const struct {
        QList<PortListing> present;
        QStringList shown;
    } steps[] = {
        {{{"/dev/ttyS0", ""}, {"/dev/ttyUSB0", "FT232R USB UART"}},
         {"/dev/ttyACM1", "/dev/ttyUSB0 - FT232R USB UART", "/dev/ttyS0"}},
        // An adapter plugged in, and the built-in port gone, between two drop-downs.
        {{{"/dev/ttyUSB0", "FT232R USB UART"}, {"COM7", "USB Serial Port"}},
         {"/dev/ttyACM1", "/dev/ttyUSB0 - FT232R USB UART", "COM7 - USB Serial Port"}},
        // Nothing plugged in: the names used before are still offered.
        {{}, {"/dev/ttyACM1", "/dev/ttyUSB0"}},
    };
    for (const auto& s : steps) {
        present = s.present;
        box.showPopup();
        EXPECT_EQ(listed(box), s.shown);
        EXPECT_EQ(box.portName(), QStringLiteral("/dev/ttyACM1")) << "the box keeps its name";
        box.hidePopup();
    }

    // Choosing an entry takes its name alone; typing is choosing too.
    QSignalSpy chosen(&box, &PortChooser::nameChosen);
    present = {{"COM7", "USB Serial Port"}};
    box.showPopup();
    QAbstractItemView* view = box.view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(box.model()->index(2, 0)).center());
    EXPECT_EQ(box.portName(), QStringLiteral("COM7"));
    QTest::keyClicks(box.lineEdit(), QStringLiteral("2"));
    EXPECT_EQ(box.portName(), QStringLiteral("COM72"));
    EXPECT_EQ(chosen.count(), 2);
}

// One adapter is one entry, however the system and the names used before spell it.
TEST(PortChooser, OneEntryPerAdapter)
{
#ifdef _WIN32
    GTEST_SKIP() << "device locations and their links are Unix's; Windows names a port COMn alone";
#endif
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyFake0"));
    const QString byId = dir.filePath(QStringLiteral("usb-FTDI_FT232R-if00"));
    QFile(device).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(device, byId));
    const struct {
        QStringList recent;
        QList<PortListing> present;
        QStringList shown;
    } cases[] = {
        {{"/dev/ttyUSB0"}, {{"ttyUSB0", "FT232R USB UART"}}, {"/dev/ttyUSB0 - FT232R USB UART"}},
        {{byId}, {{device, "FT232R USB UART"}}, {byId + " - FT232R USB UART"}},
    };
    for (const auto& c : cases) {
        const QList<PortListing> present = c.present;
        PortChooser box(nullptr, [&present] { return present; });
        box.setRecentNames(c.recent);
        box.showPopup();
        EXPECT_EQ(listed(box), c.shown);
        box.hidePopup();
    }
}

TEST(RememberedChoices, NamesMostRecentFirstAndOnlyAFolderThatIsThere)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    {
        RememberedChoices choices(file);
        for (int i = 0; i < 12; ++i)
            choices.usePortName(QStringLiteral("/dev/ttyUSB%1").arg(i));
        choices.usePortName(QStringLiteral("/dev/ttyUSB5"));
        choices.useFolder(dir.path());
    }
    RememberedChoices again(file);
    const QStringList names = again.portNames();
    ASSERT_EQ(names.size(), RememberedChoices::kMostNames);
    EXPECT_EQ(names.mid(0, 3), (QStringList{"/dev/ttyUSB5", "/dev/ttyUSB11", "/dev/ttyUSB10"}));
    EXPECT_EQ(names.count(QStringLiteral("/dev/ttyUSB5")), 1);
    EXPECT_EQ(again.folder(), dir.path());
    again.useFolder(dir.filePath(QStringLiteral("gone")));
    EXPECT_EQ(again.folder(), QString());
}

} // namespace
} // namespace tarvelon
