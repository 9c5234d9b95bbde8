#include "component/PageFields.h"

#include "control/PublicInterface.h"

namespace ocx {
namespace {

namespace id = iface::dispid;

const PageField kFields[] = {
    {"ColumnCount", id::ColumnCount, FieldKind::Number},
    {"ColumnWidths", id::ColumnWidths, FieldKind::Text},
    {"BoundColumn", id::BoundColumn, FieldKind::Number},
    {"ListRows", id::ListRows, FieldKind::Number},
    {"ListWidth", id::ListWidth, FieldKind::Number},
    {"Appearance", id::Appearance, FieldKind::Choice},
    {"Locked", id::Locked, FieldKind::Check},
    {"MatchMode", id::MatchMode, FieldKind::Choice},
    {"SearchColumns", id::SearchColumns, FieldKind::Text},
    {"FilterList", id::FilterList, FieldKind::Check},
    {"ColumnHeads", id::ColumnHeads, FieldKind::Check},
    {"ColumnCaptions", id::ColumnCaptions, FieldKind::Text},
    {"ColumnAlignments", id::ColumnAlignments, FieldKind::Text},
};

}  // namespace

std::span<const PageField> PageFields() {
    return kFields;
}

bool OnPage(DISPID dispid) {
    for (const PageField& field : kFields) {
        if (field.dispid == dispid) return true;
    }
    return false;
}

}  // namespace ocx
