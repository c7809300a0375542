#pragma once
// The profile editor "IP方案设置": one tab per adapter over one shared set of
// controls, in three modes (new, edit, properties). It moves values between
// its controls and CProfileEditor, which decides everything.

#include "controls/AdapterTabCtrl.h"
#include "controls/Dialog.h"
#include "controls/Handles.h"
#include "net/AdapterList.h"
#include "platform/MessageBox.h"
#include "store/ProfileStore.h"
#include "ui/ProfileEditor.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CProfileDlg : public CDialogBase {
public:
    CProfileDlg(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages,
                std::function<void(std::u16string_view)> writeSystemLog);
    ~CProfileDlg() override;

    // One of these before RunModal, which returns IDOK or IDCANCEL (0 when the
    // dialog could not open its pages).
    void OpenForNew();
    void OpenForEdit(const std::u16string& id, const std::u16string& name);
    void OpenForProperties(const std::u16string& id, const std::u16string& name);

protected:
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR* header, LRESULT* result) override;
    void OnDpiChanged(UINT dpi) override;

private:
    void SetDigitFace();

    void NewEditor();
    void FillProviders();
    std::vector<std::u16string> ProviderNames() const;
    EditorControls ReadControls() const;
    void ShowPage(const EditorPage& page);
    void ApplyEnables(const EditorEnables& enables, bool ipGroupToo);
    void SuggestFrom(std::uint32_t ip);
    void PickProvider();
    void OnOk();

    std::uint32_t Address(int id) const;
    void SetAddress(int id, const ShownAddress& value);

    CProfileStore& store;
    const CAdapterList& adapters;
    IMessageBox& messages;
    std::function<void(std::u16string_view)> writeSystemLog;
    std::optional<CProfileEditor> editor;

    CAdapterTabCtrl tabs;
    CGdiObjectHolder digitFont;
    bool filling = false;  // the page is being written: its changes are not the user's
};
