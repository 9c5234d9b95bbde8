// The control's Font: a standard font object that a host reads, replaces (a put takes a copy,
// a put by reference the object itself) or changes in place (`picker.Font.Size = 12`). The
// control shows its edit field and its list in a font handle of its own made from the object,
// so that a change of the object never leaves a window with a handle that has gone. The font is
// stored flat, unless it is the container's (the default), under the keys "FontName", "FontSize"
// (in ten-thousandths of a point), "FontWeight", "FontItalic", "FontUnderline", "FontStrikethrough"
// and "FontCharset".
#pragma once

#include <functional>
#include <vector>

#include "component/Com.h"
#include "platform/Host.h"

namespace ocx {

class FontSink;

class FontProperty final {
public:
    // Runs a body as one call into the owner, which keeps the owner whole until it returns.
    using Entry = std::function<void(const std::function<void()>& body)>;

    // `changed` runs after every change of the font, whichever way it came; `enter` runs the
    // host's change of the font object itself, which reaches the control through no call of
    // its own.
    FontProperty(std::function<void()> changed, Entry enter);
    ~FontProperty();
    FontProperty(const FontProperty&) = delete;
    FontProperty& operator=(const FontProperty&) = delete;

    // Whether the object holds a font yet.
    bool Holds() const { return font_ != nullptr; }
    // The font object, with a reference for the caller; nullptr before the first.
    IFontDisp* Get() const;
    enum class Taking { Copy, Reference };
    // A font object of the host's: E_INVALIDARG for one that is not a font, nothing changed.
    HRESULT Put(IUnknown* font, Taking taking);
    // A copy of the container's font (its ambient Font) when it offers one, else the system's
    // font of the controls.
    void TakeStartFont(IDispatch* ambients);
    // Whether the font is the container's, taken at the start, which nobody has set or changed
    // since: it follows a change of the container's font (Follow).
    bool FollowsContainer() const { return fromContainer_; }
    void Follow(IDispatch* ambients);
    // The font handle that the windows use; nullptr before the first font.
    HFONT Handle() const { return handle_; }

    // The stored font, made from the start font; entries that are absent keep the start
    // font's. A stored value of the wrong type raises its run-time error (the font stays as it
    // was).
    void Read(PropertyBag& bag, IDispatch* ambients);
    void Write(PropertyBag& bag) const;

    // The host changed the font object itself.
    void ObjectChanged();

private:
    void Hold(IFont* font);  // takes the reference given
    void Drop();
    void MakeHandle();
    // A new handle for the font as it is now, given to the windows; the old one goes then.
    void Renew();

    std::function<void()> changed_;
    Entry enter_;
    IFont* font_ = nullptr;
    FontSink* sink_ = nullptr;  // what the font tells of its changes, while it is held
    DWORD cookie_ = 0;          // the font's connection to sink_
    bool fromContainer_ = false;
    HFONT handle_ = nullptr;      // owned
    std::vector<HFONT> retired_;  // handles that the windows may still use, owned
};

}  // namespace ocx
