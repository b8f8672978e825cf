// The table test of a page's bindings: each case changes one control the way a user would and
// says what that does to the record; after every change the whole record must be as expected.
#pragma once

#include <QCheckBox>
#include <QSlider>
#include <QTest>
#include <QWidget>
#include <vector>

#include "settings/settings_record.h"
#include "tests/ui/settings_dialog/record_lines.h"

namespace tv::test {

struct BoundControlCase {
    const char* name;  // the control's object name, its field's registry name
    void (*change)(QWidget* control);
    void (*expect)(SettingsRecord& record);
};

inline void Click(QWidget* control) { static_cast<QAbstractButton*>(control)->click(); }

// Runs the cases in order on page, which edits live; expected starts as live was.
inline void VerifyEveryChangeLands(const QWidget& page, const SettingsRecord& live,
                                   SettingsRecord expected,
                                   const std::vector<BoundControlCase>& cases) {
    for (const BoundControlCase& c : cases) {
        auto* control = page.findChild<QWidget*>(c.name);
        QVERIFY2(control != nullptr, c.name);
        c.change(control);
        c.expect(expected);
        QVERIFY2(RecordLines(live) == RecordLines(expected), c.name);
    }
}

}  // namespace tv::test
