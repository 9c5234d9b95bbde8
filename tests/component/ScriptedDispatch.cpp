#include "tests/component/ScriptedDispatch.h"

#include <memory>

#include "platform/win32/Wide.h"

namespace cp::test {

void ScriptedDispatch::Answer(std::wstring name, Handler handler) {
    for (auto& member : members_) {
        if (member.first == name) member = {L"", nullptr};
    }
    if (handler) members_.emplace_back(std::move(name), std::move(handler));
}

HRESULT ScriptedDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    std::fill_n(ids, count, DISPID_UNKNOWN);
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (members_[i].second && ::lstrcmpiW(members_[i].first.c_str(), names[0]) == 0) {
            ids[0] = static_cast<DISPID>(i + 1);
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT ScriptedDispatch::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* exception, UINT*) {
    if (id < 1 || static_cast<std::size_t>(id) > members_.size() || !members_[id - 1].second) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const auto& [name, handler] = members_[id - 1];
    std::vector<VARIANT> args(params->rgvarg, params->rgvarg + params->cArgs);
    std::reverse(args.begin(), args.end());
    std::string call = win32::Narrow(name);
    for (std::size_t i = 0; i < args.size(); ++i) {
        Var text;
        ::VariantCopy(&text.v, &args[i]);
        call += (i == 0 ? "(" : ", ") + text.Text() + (i + 1 == args.size() ? ")" : "");
    }
    log.push_back(call);
    if (result != nullptr) ::VariantInit(result);
    return handler(args, result, exception);
}

ScriptedDispatch::Handler Returns(std::function<void(VARIANT*)> fill) {
    return [fill](const std::vector<VARIANT>&, VARIANT* result, EXCEPINFO*) {
        if (result != nullptr) fill(result);
        return S_OK;
    };
}

ScriptedDispatch::Handler Returns(const VARIANT& value) {
    auto kept = std::make_shared<Var>();
    ::VariantCopy(&kept->v, const_cast<VARIANT*>(&value));
    return Returns([kept](VARIANT* result) { ::VariantCopy(result, &kept->v); });
}

ScriptedDispatch::Handler Fails(HRESULT hr) {
    return [hr](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO*) { return hr; };
}

ScriptedDispatch::Handler Raises(long number, const wchar_t* description) {
    return [=](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO* exception) {
        *exception = EXCEPINFO{};
        if (number >= 0 && number <= 0xFFFF) {
            exception->wCode = static_cast<WORD>(number);
        } else {
            exception->scode = number;
        }
        exception->bstrDescription = ::SysAllocString(description);
        return DISP_E_EXCEPTION;
    };
}

}  // namespace cp::test
