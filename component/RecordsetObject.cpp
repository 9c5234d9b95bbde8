#include "component/RecordsetObject.h"

#include "component/DatabaseInterfaces.h"

namespace ocx {
namespace {

Variant Done() {
    return {};
}

}  // namespace

IDispatch* RecordsetObject::Create(std::shared_ptr<cp::Recordset> recordset) {
    return new RecordsetObject(std::move(recordset));
}

RecordsetObject::RecordsetObject(std::shared_ptr<cp::Recordset> recordset)
    : DispatchObject(DIID__Recordset, {dbiface::kRecordsetMembers, dbiface::kDatabaseProgId}),
      recordset_(std::move(recordset)) {}

Variant RecordsetObject::CallMember(std::int32_t dispid, iface::Kind, std::vector<Variant>& args) {
    namespace id = dbiface::dispid;
    switch (dispid) {
        case id::RecordCount:
            return recordset_->RecordCount();
        case id::Eof:
            return recordset_->Eof();
        case id::MoveFirst:
            return recordset_->MoveFirst(), Done();
        case id::MoveLast:
            return recordset_->MoveLast(), Done();
        case id::GetRows:
            return recordset_->GetRows(CLng(args.at(0)));
        case id::RecordsetClose:
            return recordset_->Close(), Done();
        default:
            Raise(vberr::NoSuchMember);
    }
}

}  // namespace ocx
