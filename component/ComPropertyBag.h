// The control's property store over a container's IPropertyBag: a key that the bag cannot
// give reads as the default, and a value equal to its default is not written.
#pragma once

#include "component/Com.h"
#include "platform/Host.h"

namespace ocx {

class ComPropertyBag final : public PropertyBag {
public:
    explicit ComPropertyBag(IPropertyBag& bag) : bag_(bag) {}

    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override;
    void WriteProperty(std::string_view key, const Variant& value,
                       const Variant& defaultValue) override;

private:
    IPropertyBag& bag_;
};

}  // namespace ocx
