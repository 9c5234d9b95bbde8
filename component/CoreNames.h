// The names of the control's core and runtime that the component uses, brought into its own
// namespace.
#pragma once

#include "control/ColumnPick.h"
#include "control/ColumnPickEvents.h"
#include "control/PublicInterface.h"
#include "platform/Host.h"
#include "platform/win32/ControlHost.h"
#include "platform/win32/PropertyStore.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

namespace ocx {

namespace iface = cp::iface;
namespace vberr = cp::vberr;
namespace win32 = cp::win32;
using cp::CBool;
using cp::CInt;
using cp::CLng;
using cp::ColumnPick;
using cp::ColumnPickEvents;
using cp::ControlSite;
using cp::CStr;
using cp::Currency;
using cp::CurrentError;
using cp::Date;
using cp::EventId;
using cp::HostedControl;
using cp::Object;
using cp::PropertyBag;
using cp::Raise;
using cp::RuntimeError;
using cp::StandardDescription;
using cp::Variant;
using cp::VariantArray;
using cp::VariantEquals;
using cp::VarType;

}  // namespace ocx
