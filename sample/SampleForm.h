// The sample's form: three ColumnPick controls filled with the ISO country, currency and
// language lists, each with its labels, and the form's plain field to move the focus to. Tab
// and Shift+Tab move the focus between the controls and the field, as a form does; closing the
// form ends the message loop.
#pragma once

#include <memory>
#include <vector>

#include "data/Database.h"
#include "platform/win32/Form.h"
#include "platform/win32/WindowsApi.h"
#include "sample/EventLog.h"
#include "sample/PickPanel.h"

namespace cp::sample {

class SampleForm {
public:
    // server, when there is one, fills the country and currency lists.
    SampleForm(EventLog& log, Database* server);
    ~SampleForm();
    SampleForm(const SampleForm&) = delete;
    SampleForm& operator=(const SampleForm&) = delete;

    HWND hWnd() const { return form_.hWnd(); }
    PickPanel& Panel(std::size_t index) { return *panels_.at(index); }
    HWND OtherField() const { return form_.TextField(); }

    // Hands one message of the loop on: Tab moves the focus, the rest is dispatched.
    void Dispatch(const ::MSG& msg);
    // The message loop, until the form is closed.
    void Run();

private:
    static LRESULT CP_CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool MoveFocus(HWND from, bool backwards);

    // The panels go after the form, whose end still reaches their controls' handlers.
    std::vector<std::unique_ptr<PickPanel>> panels_;
    win32::Form form_;
    WNDPROC formProc_ = nullptr;  // the form's procedure under the sample's
};

}  // namespace cp::sample
