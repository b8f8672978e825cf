/* CardProbe: identifies removable media. Tells the kind of medium in a drive from the product
 * text its storage device reports, the adapter that reports it, and the identity the system
 * gives a medium: a 16-digit serial number and a card name kept in two small hidden read-only
 * files in the medium's root folder.
 *
 * Plain C interface, usable from C and C++. Every export takes a drive letter and buffers that
 * the caller owns, and answers with a plain integer; nothing allocated on one side is freed on
 * the other. The library keeps no state between calls. */
#ifndef TESSARAVINE_CARDPROBE_CARDPROBE_H
#define TESSARAVINE_CARDPROBE_CARDPROBE_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#if defined(__GNUC__)
#define CARDPROBE_API __attribute__((visibility("default")))
#else
#define CARDPROBE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Kinds of media, one bit each. A classified product text may add up several bits (a
 * multi-card reader); such a sum is none of the single codes and counts as "other". */
enum MediaKind {
    kMediaOther = 0,
    kMediaCompactFlash = 1,
    kMediaSmartMedia = 2,
    kMediaMicroDrive = 4,
    kMediaSourceDigital = 8,
    kMediaMultiMediaCard = 16,
    kMediaMemoryStick = 32,
    kMediaMoDrive = 64,
    kMediaUsbMemory = 128,
    kMediaMinitureCard = 256,
    kMediaUsbFloppy = 512,
    kMediaFloppy = 1024,
    kMediaZipDrive = 2048,
    kMediaUsbHdd = 4096
};

/* The answer of the media type dialog when the user cancels it; never stored on a medium. */
#define CARDPROBE_MEDIA_CANCELLED 8192
/* Number of single media kinds (codes 1 to 4096). */
#define CARDPROBE_MEDIA_KIND_COUNT 13

/* The texts that go with one media kind. */
typedef struct MediaKindText {
    int code;
    const char* shortLabel; /* drive list label, blank-padded to five or six characters */
    const char* longName;   /* identification and announcements */
    const char* listName;   /* entry of the media type list */
    const char* voiceFile;  /* announcement in the voice folder */
} MediaKindText;

/* The table of media kinds in the order of the media type list: entry 0 stands for "no kind"
 * and for every value that is not a single code; entry i >= 1 is the code 2^(i-1). */
static inline const MediaKindText* MediaKindTable(void) {
    static const MediaKindText table[CARDPROBE_MEDIA_KIND_COUNT + 1] = {
        {kMediaOther, "RM  ", "メディア", "なし", "15_new_removable.mp3"},
        {kMediaCompactFlash, "CF   ", "Compact Flash", "Compact Flash", "02_compact.mp3"},
        {kMediaSmartMedia, "SM   ", "Smart Media", "Smart Media", "03_smart.mp3"},
        {kMediaMicroDrive, "MD   ", "Micro Drive", "Micro Drive", "04_microdrive.mp3"},
        {kMediaSourceDigital, "SD   ", "Source Digital", "Source Digital", "05_secure.mp3"},
        {kMediaMultiMediaCard, "MMC  ", "MultiMedia Card", "MultiMedia Card", "06_multimedia.mp3"},
        {kMediaMemoryStick, "MS    ", "Memory Stick", "Memory Stick", "07_stick.mp3"},
        {kMediaMoDrive, "MO    ", "MO Drive", "MO Drive", "08_mo.mp3"},
        {kMediaUsbMemory, "USBM ", "USB Memory", "USB Memory", "09_usbmemory.mp3"},
        {kMediaMinitureCard, "MINI ", "Miniture Card", "Miniture Card", "10_miniture.mp3"},
        {kMediaUsbFloppy, "USBFD", "USB Floppy", "USB Floppy", "11_usbFD.mp3"},
        {kMediaFloppy, "FD   ", "Floppy Drive", "Floppy", "12_FD.mp3"},
        {kMediaZipDrive, "ZIP  ", "ZIP Drive", "ZIP Drive", "13_zip.mp3"},
        {kMediaUsbHdd, "USBHD", "USB HDD", "USB HardDisk", "14_usbHDD.mp3"},
    };
    return table;
}

/* The texts of a code; entry 0 of the table for 0 and for any value that is not a single
 * code (sums of several kinds, the cancelled answer). */
static inline const MediaKindText* FindMediaKind(int code) {
    const MediaKindText* table = MediaKindTable();
    int i;
    for (i = 1; i <= CARDPROBE_MEDIA_KIND_COUNT; ++i) {
        if (table[i].code == code) return &table[i];
    }
    return &table[0];
}

/* The media kind that a storage device's product text names: every group of keywords found
 * anywhere in the text (ASCII case ignored, first 255 bytes) adds its code once. */
static inline int Classify(const char* text) {
    static const struct {
        int code;
        const char* keywords[5];
    } groups[] = {
        {kMediaCompactFlash, {"CF", "COMPACT", NULL}},
        {kMediaSmartMedia, {"SM", "SMART", NULL}},
        {kMediaMicroDrive, {"MD", "MICRODRIVE", "MICRO DRIVE", NULL}},
        {kMediaSourceDigital, {"SD", "SOURCE DIGITAL", "SOURCEDIGITAL", NULL}},
        {kMediaMultiMediaCard, {"MMC", "MULTI MEDIA", "MULTIMEDIA", NULL}},
        {kMediaMemoryStick, {"MS", "MEMORY STICK", "MEMORYSTICK", NULL}},
        {kMediaUsbMemory, {"USBMEM", "USB MEM", NULL}},
        {kMediaMinitureCard, {"MINIATYUA", NULL}},
        {kMediaUsbFloppy, {"USBBFD", "USB FD", "USB FLOPPY", "USBFLOPPY", NULL}},
        {kMediaUsbHdd, {"USBH", "USB H", NULL}},
    };
    char upper[256];
    size_t length = 0;
    size_t g;
    size_t k;
    int kind = 0;
    if (text == NULL) return 0;
    while (length < sizeof upper - 1 && text[length] != '\0') {
        char c = text[length];
        upper[length] = (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
        ++length;
    }
    upper[length] = '\0';
    for (g = 0; g < sizeof groups / sizeof groups[0]; ++g) {
        for (k = 0; groups[g].keywords[k] != NULL; ++k) {
            if (strstr(upper, groups[g].keywords[k]) != NULL) {
                kind += groups[g].code;
                break;
            }
        }
    }
    return kind;
}

/* What CardProbe learns about a drive. */
typedef struct MediaInfo {
    int32_t driveType;      /* 0 unknown, 1 no root folder, 2 removable, 3 fixed, 4 remote,
                               5 CD-ROM, 6 RAM disk */
    int32_t mediaKind;      /* Classify() of the product text; 0 when not probed */
    int32_t freeSpaceQuery; /* 1 when the free space of the root could be asked */
    char vendor[128];       /* vendor text of the storage device, NUL-terminated */
    char product[128];      /* product text: the card adapter name */
} MediaInfo;

/* The version tuple of a PC card; the caller provides at least 259 bytes. */
typedef struct PcmciaTupleInfo {
    unsigned char major;
    unsigned char minor;
    unsigned char zero;
    char manufacturer[128]; /* NUL-terminated */
    char product[128];      /* NUL-terminated */
} PcmciaTupleInfo;

/* 1 when the card name file can be read: buffer (at least 33 bytes) holds its first 32 bytes
 * at most, NUL-terminated. 0 otherwise, buffer untouched. */
CARDPROBE_API int GetCardName(int letter, char* buffer);
/* 0 when the letter has no drive (drive type 0 or 1); 1 otherwise. Writes the three numbers
 * always, and the two texts only for a removable drive, whose device it probes. */
CARDPROBE_API int CardProbe(int letter, MediaInfo* info);
/* 1 when the PC card in the socket chosen by selector has a version tuple; 0 otherwise. */
CARDPROBE_API int GetPcmciaType(PcmciaTupleInfo* info, unsigned short selector);
/* 1 when the serial number file holds 16 bytes: buffer (at least 17 bytes) gets them,
 * NUL-terminated. 0 otherwise. */
CARDPROBE_API int GetSerialNumber(int letter, char* buffer);
/* Makes a new 16-digit serial number into buffer (at least 17 bytes); the number of digits. */
CARDPROBE_API int MakeSerialNumber(char* buffer);
/* Writes the first 32 bytes at most of text as the card name, replacing an older one. 1 on
 * success; 0 on failure, and then no new file is left behind. */
CARDPROBE_API int SetCardName(int letter, const char* text);
/* Writes a 16-character serial number. Fails (0) over an existing read-only serial number
 * file, and leaves no file behind when it fails. */
CARDPROBE_API int SetSerialNumber(int letter, const char* serial);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(MediaInfo) == 268, "MediaInfo layout is shared with the program");
static_assert(sizeof(PcmciaTupleInfo) == 259, "PcmciaTupleInfo layout is shared");
static_assert(offsetof(PcmciaTupleInfo, product) == 131, "product text starts at byte 131");
#endif

#endif
