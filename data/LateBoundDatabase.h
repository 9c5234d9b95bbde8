// A database object of the host's (a DAO Database, or any object that answers OpenRecordset and
// Name), used through its members' names at the moment of each call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/Database.h"
#include "runtime/LateBound.h"

namespace cp {

class LateBoundDatabase final : public Database {
public:
    explicit LateBoundDatabase(std::shared_ptr<LateBound> object);

    // The object's OpenRecordset(Name, Type); what it returns must be an object, which is then
    // used as a recordset by the same rules as a recordset that the host passes itself.
    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override;
    std::string Name() override;

private:
    std::shared_ptr<LateBound> object_;  // the host's database object
};

}  // namespace cp
