// What the settings dialog asks of a page besides showing it; a page overrides what concerns
// it. A page's caption (its window title) is the label of the category that shows it.
#pragma once

namespace tv {

class SettingsPage {
  public:
    virtual ~SettingsPage() = default;
    // Shows the record again after the dialog has reset or loaded it.
    virtual void Reload() {}
    // Drives came or went while the dialog is open.
    virtual void OnMediaChanged() {}
    // True when the page's destination may be too small for what it backs up.
    virtual bool DestinationMayBeTooSmall() const { return false; }
};

}  // namespace tv
