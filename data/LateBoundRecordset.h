// A recordset of the host's (a DAO or an ADO recordset, or any object with the same members),
// used through its members' names at the moment of each call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/Database.h"
#include "runtime/LateBound.h"

namespace cp {

class LateBoundRecordset final : public Recordset {
public:
    explicit LateBoundRecordset(std::shared_ptr<LateBound> object);

    Variant RecordCount() override;
    Variant Eof() override;
    void MoveLast() override;
    void MoveFirst() override;
    Variant GetRows(std::int32_t NumRows) override;
    void Close() override;
    // Fields(i).Name of each of the recordset's Fields, as DAO and ADO recordsets answer; none
    // when the object has no such members.
    std::vector<std::string> FieldNames() override;

private:
    std::shared_ptr<LateBound> object_;  // the host's recordset
};

}  // namespace cp
