// Measures the activity log page on a long day: writes a day file of N records for today in a
// scratch program directory, then shows the real page (offscreen) and reports the time until
// the table has its first rows, the time until the whole day is loaded and sorted, the memory
// the page took (peak resident size above what the process held before), and the longest time
// the event loop did not answer (the lateness of a 1 ms timer).
//
//   log_viewer_bench [records] [ten|timed]
//
// "ten" reads ten records per 2 ms step; "timed" reads for up to 8 ms per step.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "log/log_store.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "ui/log_viewer/log_list_dialog.h"

namespace {

// A kB figure of /proc/self/status ("VmRSS", "VmHWM").
long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t keyLength = std::strlen(key);
    while (std::getline(status, line)) {
        if (line.compare(0, keyLength, key) == 0 && line[keyLength] == ':') {
            return std::atol(line.c_str() + keyLength + 1);
        }
    }
    return 0;
}

// Records as a mirroring run writes them, with paths of a realistic length.
bool WriteDay(const std::string& programDir, const std::string& day, long records) {
    tv::LogStore store(programDir);
    tv::LogRecord r;
    r.date = day;
    r.unit = "FullSynchrnize";
    r.recognition = " ";
    r.drive = "C";
    r.mode = "自動";
    r.work = "ミラーリング";
    r.action = "ファイル作成";
    for (long i = 0; i < records; ++i) {
        const std::string folder = "/home/user/documents/project" + std::to_string(i % 97);
        r.name = "report_" + std::to_string(i) + ".txt";
        r.source = folder + "/" + r.name;
        r.destination = "/backup/4A3B2C1D" + r.source;
        const long second = i * 86400 / records;
        char time[40];
        std::snprintf(time, sizeof time, "%02ld:%02ld:%02ld", second / 3600, second / 60 % 60,
                      second % 60);
        r.time = time;
        r.result = i % 50 == 0 ? "スキップ" : (i % 333 == 0 ? "エラー" : "ＯＫ");
        if (!store.Append(r)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const long records = argc > 1 ? std::atol(argv[1]) : 200000;
    const bool timed = !(argc > 2 && std::strcmp(argv[2], "ten") == 0);
    QApplication app(argc, argv);

    std::string programDir =
        (std::filesystem::temp_directory_path() / "log-viewer-bench-XXXXXX").string();
    if (!mkdtemp(programDir.data())) return 1;
    std::filesystem::create_directory(tv::JoinPath(programDir, "Log"));
    const std::string today = tv::RealClock().NowDateTime().Format("%Y/%m/%d");
    if (!WriteDay(programDir, today, records)) return 1;

    const long rssBefore = StatusKb("VmRSS");
    tv::CLogListDlg page(programDir, tv::RealClock(), nullptr,
                         timed ? tv::kTimeBoundedStep : tv::kTenRecordsPerStep);
    page.resize(456, 388);
    const auto* table = page.findChild<QTreeView*>(QString::number(tv::kIdLogTable));

    QElapsedTimer clock;
    double firstRowsMs = -1;
    double loadedMs = -1;
    double longestGapMs = 0;
    qint64 lastProbeNs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGapMs = std::max(longestGapMs, (now - lastProbeNs) / 1e6);
        lastProbeNs = now;
        if (firstRowsMs < 0 && table->model()->rowCount() > 0) firstRowsMs = now / 1e6;
        if (!page.Loader().Loading()) {
            loadedMs = now / 1e6;
            app.quit();
        }
    });
    clock.start();
    page.show();
    lastProbeNs = clock.nsecsElapsed();
    probe.start();
    app.exec();

    std::printf(
        "budget %s records %ld rows %d first_rows_ms %.1f loaded_ms %.1f "
        "page_peak_kb %ld longest_gap_ms %.1f\n",
        timed ? "timed-8ms" : "ten-per-2ms", records, table->model()->rowCount(), firstRowsMs,
        loadedMs, StatusKb("VmHWM") - rssBefore, longestGapMs);
    std::filesystem::remove_all(programDir);
    return 0;
}
