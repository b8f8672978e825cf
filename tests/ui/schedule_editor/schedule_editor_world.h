// The world of a schedule editor test: its own drive C, a fake clock on 2005-07-01, scripted
// answers, and a hand that plays the user on the modal schedule sheet.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/win_constants.h"
#include "schedule/schedule_editing.h"
#include "tests/settings/settings_world.h"
#include "tests/support/scripted_prompts.h"
#include "tests/ui/settings_dialog/pages/page_world.h"
#include "ui/schedule_editor/schedule_editor_services.h"
#include "ui/schedule_editor/schedule_sheet.h"

namespace tv::test {

struct ScheduleEditorWorld {
    ScheduleEditorWorld() { settings.world().AddDrive('C', kDriveFixed, 0x1234ABCD); }

    void ExpectRefusal() {
        prompts.Expect(kScheduleIncompleteText, kScheduleIncompleteCaption,
                       kMbOk | kMbIconExclamation, kIdOk);
    }

    SettingsWorld settings;
    FakeShareMounter mounter;
    ScriptedPrompts prompts;
    UnitPageServices unitPages{settings.world().drives(),
                               mounter,
                               prompts,
                               settings.world().locations().documentsDir,
                               {},
                               [](QWidget*, const QString&) { return QUrl(); }};
    ScheduleEditorServices services{settings.context(), unitPages, {}};
    ScheduleList list{settings.world().programDir()};
};

template <typename Control>
Control* Find(const QWidget& parent, const char* name) {
    auto* control = parent.findChild<Control*>(name);
    if (control == nullptr) qFatal("no control %s", name);
    return control;
}

// Clicks button and, once the sheet it opens is up, lets user act on it; user ends the sheet.
inline void WithSheet(QPushButton* button, std::function<void(CScheduleSheet&)> user) {
    bool seen = false;
    QTimer::singleShot(0, button, [&seen, user] {
        auto* sheet = qobject_cast<CScheduleSheet*>(QApplication::activeModalWidget());
        if (sheet == nullptr) qFatal("no schedule sheet open");
        seen = true;
        user(*sheet);
    });
    button->click();
    if (!seen) qFatal("the button opened no sheet");
}

// The user's usual moves on the sheet.
inline void Type(CScheduleSheet& sheet, const char* name, const QString& text) {
    Find<QLineEdit>(sheet, name)->setText(text);
}
inline void Click(CScheduleSheet& sheet, const char* name) {
    Find<QAbstractButton>(sheet, name)->click();
}
inline void Ok(CScheduleSheet& sheet) {
    Find<QPushButton>(sheet, QByteArray::number(kIdOk).constData())->click();
}
inline void Cancel(CScheduleSheet& sheet) {
    Find<QPushButton>(sheet, QByteArray::number(kIdCancel).constData())->click();
}

}  // namespace tv::test
