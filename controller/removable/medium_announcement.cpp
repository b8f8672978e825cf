#include "controller/removable/medium_announcement.h"

#include <cstdio>
#include <string>

#include "cardprobe/cardprobe.h"
#include "controller/removable/card_kind.h"
#include "controller/removable/medium_identifier.h"
#include "controller/removable/voice_guide.h"
#include "log/log_store.h"

namespace tv {

namespace {

constexpr size_t kSerialLabelLength = 11;
// The serial label is the last eleven of the sixteen digits of a serial number.
constexpr size_t kSerialLabelStart = 5;

bool IsSerialLabel(const std::string& label) { return IsDigitText(label, kSerialLabelLength); }

// The medium's serial label: the one it has, or a new one made from a new serial number. ""
// when no label could be set.
std::string SerialLabelOf(MediaHost& host, char letter) {
    DriveTable& drives = host.runs().runServices().drives;
    const std::string root = drives.RootOf(letter);
    std::string label;
    drives.VolumeInformation(root, nullptr, &label);
    if (IsSerialLabel(label)) return label;
    const std::string serial = host.media().MakeSerialNumber();
    if (serial.size() < kSerialLabelStart + kSerialLabelLength) return "";
    label = serial.substr(kSerialLabelStart, kSerialLabelLength);
    return drives.SetVolumeLabel(root, label) ? label : "";
}

std::string CardNameOf(int kind) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(kind));
    return text;
}

// The name the recognition line gives a kind; the floppy is logged by its short list name.
const char* RecognitionName(const MediaKindText& kind) {
    return kind.code == kMediaFloppy ? kind.listName : kind.longName;
}

void LogRecognition(const RunServices& services, const MediaKindText& kind) {
    const DateTime now = services.clock.NowDateTime();
    LogStore(services.locations.programDir)
        .AppendRecognition(now.Format("%Y/%m/%d"), RecognitionName(kind), now.Format("%H:%M:%S"));
}

}  // namespace

int IdentifyMedium(MediaHost& host, char letter) {
    MediaIdentity& media = host.media();
    if (const std::optional<int> stored = StoredCardKind(media, letter)) return *stored;
    const std::string label = SerialLabelOf(host, letter);
    if (label.empty()) return kMediaOther;
    const MediaTypeQuestion question{letter, media.ProductText(letter), label};
    const std::optional<int> chosen = host.runs().runServices().prompts.AskMediaType(question);
    if (!chosen) return CARDPROBE_MEDIA_CANCELLED;
    media.WriteCardName(letter, CardNameOf(*chosen));
    return *chosen;
}

void AnnounceMedium(MediaHost& host, char letter, bool known) {
    if (host.runs().settings().Sound == 0) return;
    const MediaKindText& kind = *FindMediaKind(IdentifyMedium(host, letter));
    LogRecognition(host.runs().runServices(), kind);
    PlayVoice(host, kind.voiceFile, true);
    PlayVoice(host, known ? kVoiceStartMirroring : kVoiceStartBackup, true);
}

}  // namespace tv
