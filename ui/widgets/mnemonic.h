// Mnemonic keys written the Japanese way: a caption keeps its text and gets "(&X)" after it
// (before a closing colon), X a Latin letter, and Alt with X works the control the caption
// belongs to; a caption that holds X in a Latin word has it marked there ("&USBメディア"), which
// keeps the caption as wide as it was. Each window keeps its letters in one table of control
// names and letters.
#pragma once

#include <QString>
#include <cstddef>

class QWidget;

namespace tv {

struct MnemonicKey {
    const char* control;  // the object name of the control
    char letter;          // an upper-case Latin letter, unique within the window
};

// caption with the key of letter: "参照" and 'R' give "参照(&R)", "名前：" gives "名前(&R)：",
// "CD-ROM" gives "&CD-ROM" for 'C'.
QString WithMnemonic(const QString& caption, char letter);

// Puts letter on the caption of control: a label's own text, else the text of the label that
// names the control (its buddy), else the control's own text. Assistive technology
// goes on reading the caption without the key, which Qt reports apart as the shortcut.
void GiveMnemonic(QWidget* control, char letter);

// Gives each control of keys, found by its name under within, its letter.
void GiveMnemonics(QWidget* within, const MnemonicKey* keys, size_t count);
template <size_t N>
void GiveMnemonics(QWidget* within, const MnemonicKey (&keys)[N]) {
    GiveMnemonics(within, keys, N);
}

}  // namespace tv
