// The component's creatable database object (`Database`, program identifier
// "ColumnPick.Database"), for scripts and hosts without a database library of their own: it
// opens an SQLite file or an ODBC connection string and runs queries into recordsets, with the
// members that the fills call. Behind it are the database classes of the C++ API.
#pragma once

#include <memory>
#include <string>

#include "component/DispatchObject.h"
#include "component/ObjectSafety.h"
#include "data/Database.h"

namespace ocx {

class DatabaseObject final : public DispatchObject {
public:
    // A new object with one reference, for the class factory.
    static HRESULT Create(REFIID iid, void** out);

    // The open database; once closed (or before it opens), one that answers every call with
    // error 3420, so that a control handed a closed database says so.
    std::shared_ptr<Object> Native() override;
    // IObjectSafety besides the dispatch object's interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

private:
    DatabaseObject();

    Variant CallMember(std::int32_t dispid, iface::Kind kind, std::vector<Variant>& args) override;
    // The open database: error 3420 when none is.
    cp::Database& Open();
    Variant OpenRecordset(const std::string& name, std::int32_t type);

    std::shared_ptr<cp::Database> database_;  // none until OpenFile or OpenConnection
    ObjectSafety safety_;                     // safe for no untrusted caller or data
};

}  // namespace ocx
