// The settings on the control's property page, in the order the page shows and applies them:
// the column count before what depends on it (the widths, the bound and searched columns).
#pragma once

#include <span>

#include "component/Com.h"

namespace ocx {

enum class FieldKind {
    Text,    // an edit field, put as typed
    Number,  // an edit field; the control's own checks decide what it takes
    Check,   // a check box, put as a Boolean
    Choice,  // a list of the property's named values
};

struct PageField {
    const char* name;  // the property, and the field's label
    DISPID dispid;
    FieldKind kind;
};

std::span<const PageField> PageFields();
// Whether the property is one of the page's.
bool OnPage(DISPID dispid);

}  // namespace ocx
