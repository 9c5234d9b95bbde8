#include "component/PageFields.h"

#include "control/PublicInterface.h"

namespace ocx {
namespace {

namespace id = iface::dispid;

const PageField kFields[] = {
    {L"ColumnCount", id::ColumnCount, FieldKind::Number},
    {L"ColumnWidths", id::ColumnWidths, FieldKind::Text},
    {L"BoundColumn", id::BoundColumn, FieldKind::Number},
    {L"ListRows", id::ListRows, FieldKind::Number},
    {L"ListWidth", id::ListWidth, FieldKind::Number},
    {L"Appearance", id::Appearance, FieldKind::Choice},
    {L"Locked", id::Locked, FieldKind::Check},
    {L"MatchMode", id::MatchMode, FieldKind::Choice},
    {L"SearchColumns", id::SearchColumns, FieldKind::Text},
    {L"FilterList", id::FilterList, FieldKind::Check},
    {L"ColumnHeads", id::ColumnHeads, FieldKind::Check},
    {L"ColumnCaptions", id::ColumnCaptions, FieldKind::Text},
    {L"ColumnAlignments", id::ColumnAlignments, FieldKind::Text},
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
