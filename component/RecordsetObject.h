// A recordset of the component's database object as an automation object (`_Recordset`): the
// members that the fills use, over the same C++ recordset that the C++ API hands out.
#pragma once

#include <memory>

#include "component/DispatchObject.h"
#include "data/Database.h"

namespace ocx {

class RecordsetObject final : public DispatchObject {
public:
    // A new object with one reference.
    static IDispatch* Create(std::shared_ptr<cp::Recordset> recordset);

    std::shared_ptr<Object> Native() override { return recordset_; }

private:
    explicit RecordsetObject(std::shared_ptr<cp::Recordset> recordset);

    Variant CallMember(std::int32_t dispid, iface::Kind kind, std::vector<Variant>& args) override;

    std::shared_ptr<cp::Recordset> recordset_;
};

}  // namespace ocx
