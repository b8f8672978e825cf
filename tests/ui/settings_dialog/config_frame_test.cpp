// The settings dialog's decisions without its widgets: fake pages, scripted answers and a copy
// runner that only records what it was asked to relocate.
#include "controller/settings_dialog/config_frame.h"

#include <QTest>
#include <map>
#include <vector>

#include "controller/settings_dialog/categories.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/option_file.h"
#include "settings/settings_summary.h"
#include "tests/settings/settings_world.h"
#include "tests/support/scripted_prompts.h"
#include "tests/ui/settings_dialog/record_lines.h"

namespace tv::test {
namespace {

constexpr const char* kShortOfSpace =
    "転送先の容量が足りない可能性があります\n設定を保存しますか？";
constexpr const char* kResetAllQuestion = "設定を初期化します。\nよろしいですか？";

std::string ChangedText(char letter) {
    return std::string(1, letter) +
           "ドライブの保存先が変更されました\r\nコピーまたは移動を行いますか？";
}

class FakePages : public ConfigPages {
  public:
    void ReloadPage(int itemId) override { reloaded.push_back(itemId); }
    void SetNetworkTexts(const SettingsRecord& record) override {
        networkTexts = {record.User1, record.Pass1, record.User2, record.Pass2};
        ++networkTextsSet;
    }
    void SetSettingsListText(const std::string& text) override {
        listText = text;
        ++listTextsSet;
    }
    bool DestinationMayBeTooSmall(int itemId) const override {
        return tooSmall.count(itemId) > 0 && tooSmall.at(itemId);
    }

    std::vector<int> reloaded;
    std::vector<std::string> networkTexts;
    int networkTextsSet = 0;
    std::string listText;
    int listTextsSet = 0;
    std::map<int, bool> tooSmall;
};

struct Relocation {
    std::string title;
    std::string from;
    std::string to;
    bool move;
    bool operator==(const Relocation& o) const {
        return title == o.title && from == o.from && to == o.to && move == o.move;
    }
};

class RecordingCopyRunner : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob& /*job*/, const std::string& /*title*/) override {
        return {};
    }
    int RunRelocation(const RelocationRequest& request, const std::string& title) override {
        runs.push_back({title, request.OldFolder, request.NewFolder, request.Move});
        return 0;
    }
    std::vector<Relocation> runs;
};

// The questions asked, as "caption|text" lines.
QStringList Asked(const ScriptedPrompts& prompts) {
    QStringList lines;
    for (const Question& q : prompts.asked()) {
        lines << QString::fromStdString(q.caption + "|" + q.text);
    }
    return lines;
}

QString Line(const std::string& caption, const std::string& text) {
    return QString::fromStdString(caption + "|" + text);
}

// The frame on a world with a fixed drive C and the removable drives E and G.
struct FrameWorld {
    FrameWorld() {
        settings.world().AddDrive('C', kDriveFixed, 0x1111u);
        settings.world().AddDrive('E', kDriveRemovable, 0x2222u);
        settings.world().AddDrive('G', kDriveRemovable, 0x3333u);
        defaults = DefaultSettings(settings.context());
        live = defaults;
    }
    ConfigFrame& Open() {
        frame.Open();
        return frame;
    }
    std::string Folder(const std::string& name) { return JoinPath(settings.world().base(), name); }

    SettingsWorld settings;
    SettingsRecord defaults;
    SettingsRecord live;
    ScriptedPrompts prompts;
    RecordingCopyRunner runner;
    FakePages pages;
    ConfigFrame frame{live, settings.context(), prompts, runner, pages};
};

// One changed value in each group that a category reset puts back.
struct GroupEdit {
    int itemId;
    void (*edit)(SettingsRecord&);
};

const GroupEdit kGroupEdits[] = {
    {kItemDriveUnit, [](SettingsRecord& r) { r.SynchroDirectory = "/elsewhere/sync"; }},
    {kItemFileDir, [](SettingsRecord& r) { r.Directry2 = "/elsewhere/mirror"; }},
    {kItemRemovable,
     [](SettingsRecord& r) {
         r.RemLoadControl = 77;
         r.Drives['E' - 'A'].BackupDir = "/elsewhere/card";
     }},
    {kItemDetails, [](SettingsRecord& r) { r.IgnorTime = 99; }},
    {kItemNetwork,
     [](SettingsRecord& r) {
         r.User1 = "tanaka";
         r.Pass2 = "秘密";
     }},
};

SettingsRecord EditedExcept(const SettingsRecord& defaults, int resetItem) {
    SettingsRecord record = defaults;
    for (const GroupEdit& group : kGroupEdits) {
        if (group.itemId != resetItem) group.edit(record);
    }
    return record;
}

}  // namespace

class ConfigFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void openingFillsTheSettingsListWithTheSummary() {
        FrameWorld w;
        w.live.SynchroDirectory = w.Folder("sync");
        w.Open();
        QCOMPARE(w.pages.listTextsSet, 1);
        QCOMPARE(w.pages.listText, BuildSettingsSummary(w.live));
    }

    // Each answer of the copy-or-move question, for two drives whose destinations changed.
    void removableCheckFollowsEachAnswer() {
        struct Case {
            const char* name;
            CopyOrMove first;
            CopyOrMove second;  // asked only when the first is not Cancel
            bool closes;
            std::vector<Relocation> (*runs)(const std::string& e, const std::string& g);
        };
        const std::string oldE = "/old/E", oldG = "/old/G";
        const Case cases[] = {
            {"don't copy, then cancel", CopyOrMove::DontCopy, CopyOrMove::Cancel, false,
             [](const std::string&, const std::string&) { return std::vector<Relocation>{}; }},
            {"cancel first", CopyOrMove::Cancel, CopyOrMove::Cancel, false,
             [](const std::string&, const std::string&) { return std::vector<Relocation>{}; }},
            {"copy, then move", CopyOrMove::Copy, CopyOrMove::Move, true,
             [](const std::string& e, const std::string& g) {
                 return std::vector<Relocation>{
                     {"リムバブルメディア保存先のコピー", "/old/E", e, false},
                     {"リムバブルメディア保存先の移動", "/old/G", g, true}};
             }},
            {"don't copy either", CopyOrMove::DontCopy, CopyOrMove::DontCopy, true,
             [](const std::string&, const std::string&) { return std::vector<Relocation>{}; }},
        };
        for (const Case& c : cases) {
            FrameWorld w;
            w.live.Drives['E' - 'A'].BackupDir = oldE;
            w.live.Drives['G' - 'A'].BackupDir = oldG;
            ConfigFrame& frame = w.Open();
            const std::string newE = w.Folder("E new"), newG = w.Folder("G new");
            w.live.Drives['E' - 'A'].BackupDir = newE;
            w.live.Drives['G' - 'A'].BackupDir = newG;
            const SettingsRecord edited = w.live;
            w.prompts.ExpectCopyOrMove(ChangedText('E'), c.first);
            QStringList expectedAsked{Line("確認", ChangedText('E'))};
            if (c.first != CopyOrMove::Cancel) {
                w.prompts.ExpectCopyOrMove(ChangedText('G'), c.second);
                expectedAsked << Line("確認", ChangedText('G'));
            }

            const std::optional<int> end = frame.Apply();

            QVERIFY2(end.has_value() == c.closes, c.name);
            if (end) QCOMPARE(*end, kEndApply);
            QCOMPARE(Asked(w.prompts), expectedAsked);
            QVERIFY2(w.runner.runs == c.runs(newE, newG), c.name);
            QCOMPARE(RecordLines(w.live), RecordLines(edited));
        }
    }

    void unchangedDestinationsCloseWithoutAsking() {
        FrameWorld w;
        ConfigFrame& frame = w.Open();
        w.live.RemLoadControl = 5;
        QCOMPARE(frame.Apply(), std::optional<int>(kEndApply));
        QVERIFY(w.prompts.asked().empty());
    }

    // The relocation runs with the removable-media settings of the live record.
    void relocationTakesTheRemovableSettings() {
        struct SeenRunner : RecordingCopyRunner {
            int RunRelocation(const RelocationRequest& request, const std::string& title) override {
                seen = request;
                seenExcluded = request.ExcludedFolders ? *request.ExcludedFolders : StringList{};
                return RecordingCopyRunner::RunRelocation(request, title);
            }
            RelocationRequest seen;
            StringList seenExcluded;
        };
        FrameWorld w;
        SeenRunner runner;
        ConfigFrame frame(w.live, w.settings.context(), w.prompts, runner, w.pages);
        frame.Open();
        w.live.Drives['E' - 'A'].BackupDir = w.Folder("new");
        w.live.RemChacheSize = 3;
        w.live.RemLoadControl = 20;
        w.live.IdleCheck = 1;
        w.live.ExceptSubFolder = 1;
        w.live.Navigation = 1;
        w.live.ExceptList = {"/skip/this"};
        w.prompts.ExpectCopyOrMove(ChangedText('E'), CopyOrMove::Copy);
        QCOMPARE(frame.Apply(), std::optional<int>(kEndApply));
        QCOMPARE(runner.seen.RemChacheSize, 3);
        QCOMPARE(runner.seen.RemLoadControl, 20);
        QCOMPARE(int(runner.seen.IdleCheck), 1);
        QCOMPARE(int(runner.seen.ExceptSubFolder), 1);
        QCOMPARE(runner.seen.Navigation, 1);
        QCOMPARE(runner.seenExcluded, StringList{"/skip/this"});
        QCOMPARE(runner.seen.OldFolder, w.defaults.Drives['E' - 'A'].BackupDir);
    }

    void startRequestsCheckThenEndWithTheirCode() {
        struct Case {
            int parameter;
            CopyOrMove answer;  // for the changed destination of E
            std::optional<int> end;
            bool asks;
        };
        const Case cases[] = {
            {kEndRunDriveUnit, CopyOrMove::DontCopy, kEndRunDriveUnit, true},
            {kEndRunFileDir, CopyOrMove::DontCopy, kEndRunFileDir, true},
            {kEndRunDriveUnit, CopyOrMove::Cancel, std::nullopt, true},
            {kEndApply, CopyOrMove::Cancel, std::nullopt, false},
            {0, CopyOrMove::Cancel, std::nullopt, false},
        };
        for (const Case& c : cases) {
            FrameWorld w;
            ConfigFrame& frame = w.Open();
            w.live.Drives['E' - 'A'].BackupDir = w.Folder("moved");
            if (c.asks) w.prompts.ExpectCopyOrMove(ChangedText('E'), c.answer);
            QCOMPARE(frame.OnStartRun(c.parameter), c.end);
            QCOMPARE(w.prompts.asked().size(), c.asks ? size_t{1} : size_t{0});
        }
    }

    // The unit pages' capacity warning comes first; No stays in the dialog before the removable
    // check and changes nothing, Yes goes on to it.
    void applyAsksWhenADestinationMayBeTooSmall() {
        for (int page : {kItemDriveUnit, kItemFileDir}) {
            for (int answer : {kIdNo, kIdYes}) {
                FrameWorld w;
                w.pages.tooSmall[page] = true;
                ConfigFrame& frame = w.Open();
                w.live.Drives['E' - 'A'].BackupDir = w.Folder("moved");
                const SettingsRecord edited = w.live;
                w.prompts.Expect(kShortOfSpace, "確認", kMbYesNo | kMbIconExclamation, answer);
                QStringList expectedAsked{Line("確認", kShortOfSpace)};
                if (answer == kIdYes) {
                    w.prompts.ExpectCopyOrMove(ChangedText('E'), CopyOrMove::Copy);
                    expectedAsked << Line("確認", ChangedText('E'));
                }

                const std::optional<int> end = frame.Apply();

                QCOMPARE(end, answer == kIdYes ? std::optional<int>(kEndApply) : std::nullopt);
                QCOMPARE(Asked(w.prompts), expectedAsked);
                QCOMPARE(w.runner.runs.size(), answer == kIdYes ? size_t{1} : size_t{0});
                QCOMPARE(RecordLines(w.live), RecordLines(edited));
                QCOMPARE(RecordLines(frame.backup()), RecordLines(w.defaults));
            }
        }
    }

    void cancelAfterResetAllRestoresEverySetting() {
        FrameWorld w;
        w.live = EditedExcept(w.defaults, kItemNone);
        const SettingsRecord opened = w.live;
        ConfigFrame& frame = w.Open();
        w.prompts.Expect(kResetAllQuestion, "確認", kMbYesNo | kMbIconQuestion, kIdYes);

        frame.ResetAll();
        QCOMPARE(RecordLines(w.live), RecordLines(w.defaults));
        QCOMPARE(w.pages.reloaded,
                 (std::vector<int>{kItemDriveUnit, kItemFileDir, kItemRemovable, kItemDetails}));
        QCOMPARE(w.pages.networkTexts, (std::vector<std::string>{"", "", "", ""}));
        QCOMPARE(w.pages.listText, BuildSettingsSummary(w.defaults));

        QCOMPARE(frame.Cancel(), kEndCancel);
        QCOMPARE(RecordLines(w.live), RecordLines(opened));
    }

    void resetAllAnsweredNoChangesNothing() {
        FrameWorld w;
        w.live = EditedExcept(w.defaults, kItemNone);
        const SettingsRecord opened = w.live;
        ConfigFrame& frame = w.Open();
        w.prompts.Expect(kResetAllQuestion, "確認", kMbYesNo | kMbIconQuestion, kIdNo);
        frame.ResetAll();
        QCOMPARE(RecordLines(w.live), RecordLines(opened));
        QVERIFY(w.pages.reloaded.empty());
        QCOMPARE(w.pages.listTextsSet, 1);
    }

    // Each category's reset puts back its own group only and shows it on its page; the other
    // categories reset nothing but refresh the settings list; no selection does nothing.
    void eachCategoryResetTouchesOnlyItsGroup() {
        struct Case {
            int itemId;
            std::vector<int> reloaded;
            int networkTextsSet;
            int listTextsSet;  // after the one of the opening
        };
        const Case cases[] = {
            {kItemDriveUnit, {kItemDriveUnit}, 0, 2},
            {kItemFileDir, {kItemFileDir}, 0, 2},
            {kItemRemovable, {kItemRemovable}, 0, 2},
            {kItemDetails, {kItemDetails}, 0, 2},
            {kItemNetwork, {}, 1, 2},
            {kItemSettingsList, {}, 0, 2},
            {kItemTestMode, {}, 0, 2},
            {kItemNone, {}, 0, 1},
        };
        for (const Case& c : cases) {
            FrameWorld w;
            w.live = EditedExcept(w.defaults, kItemNone);
            ConfigFrame& frame = w.Open();
            frame.ResetCategory(c.itemId);
            QCOMPARE(RecordLines(w.live), RecordLines(EditedExcept(w.defaults, c.itemId)));
            QCOMPARE(w.pages.reloaded, c.reloaded);
            QCOMPARE(w.pages.networkTextsSet, c.networkTextsSet);
            QCOMPARE(w.pages.listTextsSet, c.listTextsSet);
            QCOMPARE(w.pages.listText, BuildSettingsSummary(w.live));
            if (c.itemId == kItemNetwork) {
                QCOMPARE(w.pages.networkTexts, (std::vector<std::string>{"", "", "", ""}));
            }
        }
    }

    void loadShowsTheFileAndAMissingFileChangesNothing() {
        FrameWorld w;
        SettingsRecord saved = EditedExcept(w.defaults, kItemNone);
        const std::string path = w.Folder("options.dat");
        QVERIFY(ExportOptions(saved, path));
        ConfigFrame& frame = w.Open();

        QVERIFY(!frame.LoadOptions(w.Folder("missing.dat")));
        QCOMPARE(RecordLines(w.live), RecordLines(w.defaults));
        QVERIFY(w.pages.reloaded.empty());

        QVERIFY(frame.LoadOptions(path));
        QCOMPARE(w.live.SynchroDirectory, saved.SynchroDirectory);
        QCOMPARE(w.live.IgnorTime, saved.IgnorTime);
        QCOMPARE(w.live.User1, saved.User1);
        QCOMPARE(w.pages.reloaded,
                 (std::vector<int>{kItemDriveUnit, kItemFileDir, kItemRemovable, kItemDetails}));
        QCOMPARE(w.pages.networkTexts, (std::vector<std::string>{"tanaka", "", "", "秘密"}));
        QCOMPARE(w.pages.listText, BuildSettingsSummary(w.live));
    }

    void saveWritesTheLiveRecord() {
        FrameWorld w;
        ConfigFrame& frame = w.Open();
        w.live.IgnorTime = 42;
        const std::string path = w.Folder("saved.dat");
        QVERIFY(frame.SaveOptions(path));
        SettingsRecord read = w.defaults;
        QVERIFY(ImportOptions(path, read, w.prompts));
        QCOMPARE(read.IgnorTime, 42);
        QVERIFY(!frame.SaveOptions(w.Folder("no such folder/saved.dat")));
    }
};

}  // namespace tv::test

QTEST_APPLESS_MAIN(tv::test::ConfigFrameTest)
#include "config_frame_test.moc"
