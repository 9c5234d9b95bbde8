#include "tests/component/ScriptedDispatch.h"

#include "platform/win32/Wide.h"

namespace cp::test {

void ScriptedDispatch::Answer(std::wstring name, Handler handler) {
    Forget(name);
    members_.emplace_back(std::move(name), std::move(handler));
}

void ScriptedDispatch::Forget(const std::wstring& name) {
    for (auto& member : members_) {
        if (member.first == name) member = {L"", nullptr};
    }
}

HRESULT ScriptedDispatch::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ScriptedDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT ScriptedDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT ScriptedDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    for (UINT n = 0; n < count; ++n)
        ids[n] = DISPID_UNKNOWN;
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

ScriptedDispatch::Handler ReturnsLong(long value) {
    return Returns([value](VARIANT* v) {
        V_VT(v) = VT_I4;
        V_I4(v) = value;
    });
}

ScriptedDispatch::Handler ReturnsBoolean(bool value) {
    return Returns([value](VARIANT* v) {
        V_VT(v) = VT_BOOL;
        V_BOOL(v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

ScriptedDispatch::Handler ReturnsObject(IDispatch* object) {
    return Returns([object](VARIANT* v) {
        V_VT(v) = VT_DISPATCH;
        V_DISPATCH(v) = object;
        object->AddRef();
    });
}

ScriptedDispatch::Handler Succeeds() {
    return [](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO*) { return S_OK; };
}

ScriptedDispatch::Handler Raises(long number, const wchar_t* description) {
    return [=](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO* exception) {
        *exception = EXCEPINFO{};
        exception->wCode = static_cast<WORD>(number);
        exception->bstrSource = ::SysAllocString(L"Scripted");
        exception->bstrDescription = ::SysAllocString(description);
        return DISP_E_EXCEPTION;
    };
}

ScriptedDispatch::Handler RaisesCode(HRESULT scode, const wchar_t* description) {
    return [=](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO* exception) {
        *exception = EXCEPINFO{};
        exception->scode = scode;
        exception->bstrDescription = ::SysAllocString(description);
        return DISP_E_EXCEPTION;
    };
}

ScriptedDispatch::Handler Fails(HRESULT hr) {
    return [hr](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO*) { return hr; };
}

}  // namespace cp::test
