#include "dialogs/ProfileDlg.h"

#include "controls/ComboBox.h"
#include "resource.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kAddressIds[] = {IDC_PROFILE_IP, IDC_PROFILE_MASK, IDC_PROFILE_GATEWAY, IDC_PROFILE_DNS1,
                               IDC_PROFILE_DNS2};
constexpr int kRadioIds[] = {IDC_PROFILE_MODE_NONE, IDC_PROFILE_MODE_DHCP, IDC_PROFILE_MODE_MANUAL};
// Rows the provider list drops down to, whatever the template's height.
constexpr int kProviderRows = 10;

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The first narrow Latin face the system has, for fields of digits only.
const wchar_t* DigitFace()
{
    HDC screen = GetDC(nullptr);
    const wchar_t* chosen = nullptr;
    for (const wchar_t* name : {L"Arial Narrow", L"Liberation Sans Narrow", L"Arial"}) {
        LOGFONTW want = {};
        want.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(want.lfFaceName, name, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(screen, &want, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = name;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
}

}  // namespace

CProfileDlg::CProfileDlg(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages,
                         std::function<void(std::u16string_view)> writeSystemLog)
    : CDialogBase(IDD_PROFILE),
      store(store),
      adapters(adapters),
      messages(messages),
      writeSystemLog(std::move(writeSystemLog))
{
    NewEditor();
}

CProfileDlg::~CProfileDlg() = default;

void CProfileDlg::NewEditor()
{
    editor.emplace(store, messages, writeSystemLog);
}

void CProfileDlg::OpenForNew()
{
    NewEditor();
}

void CProfileDlg::OpenForEdit(const std::u16string& id, const std::u16string& name)
{
    NewEditor();
    editor->OpenForEdit(id, name);
}

void CProfileDlg::OpenForProperties(const std::u16string& id, const std::u16string& name)
{
    NewEditor();
    editor->OpenForProperties(id, name);
}

bool CProfileDlg::OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result)
{
    if (tabs.ReflectFromParent(message, w, l, result))
        return true;
    return CDialogBase::OnMessage(message, w, l, result);
}

void CProfileDlg::SetDigitFace()
{
    // Four fields of three digits must fit the address controls, and the
    // dialog's face may be drawn wider than 宋体 (Wine substitutes it).
    LOGFONTW face = {};
    const wchar_t* digits = DigitFace();
    if (!digits || !GetObjectW(reinterpret_cast<HFONT>(Send(WM_GETFONT)), sizeof face, &face))
        return;
    lstrcpynW(face.lfFaceName, digits, LF_FACESIZE);
    face.lfCharSet = ANSI_CHARSET;
    face.lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
    CGdiObjectHolder font(CreateFontIndirectW(&face));
    if (!font)
        return;
    for (int id : kAddressIds) {
        for (HWND field = GetWindow(Item(id), GW_CHILD); field; field = GetWindow(field, GW_HWNDNEXT))
            SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    // The fields let go of the old face before it is freed.
    digitFont = std::move(font);
}

void CProfileDlg::OnDpiChanged(UINT dpi)
{
    // The dialog's face has its new size by now; the narrow one follows it.
    SetDigitFace();
    CComboBox(Item(IDC_PROFILE_DNS_LIST)).MeasureDropDownAgain(ProviderNames(), 0, dpi);
}

bool CProfileDlg::OnInitDialog()
{
    editor->SetOwner(hwnd);
    SetTitleIcons(IDI_APP);

    tabs.Attach(Item(IDC_PROFILE_TABS));
    SetChecked(IDC_PROFILE_MODE_NONE, true);
    ApplyEnables(EnablesForRadio(kRadioLeaveAlone), true);

    SetDigitFace();

    // Host addresses start with a unicast network; a mask with any byte.
    for (int id : {IDC_PROFILE_IP, IDC_PROFILE_GATEWAY, IDC_PROFILE_DNS1, IDC_PROFILE_DNS2})
        SendDlgItemMessageW(hwnd, id, IPM_SETRANGE, 0, MAKEIPRANGE(1, 223));

    // The providers come from the program's own configuration, by its full path.
    editor->LoadDnsProviders(store.ConfigPath());
    FillProviders();

    std::vector<const AdapterRecord*> inventory;
    for (int i = 0; i < adapters.Count(); ++i)
        inventory.push_back(adapters.At(i));
    if (!editor->Open(inventory)) {
        End(0);
        return true;
    }

    SetItemText(IDC_PROFILE_NAME, editor->InitialName());
    for (int tab = 0; tab < editor->TabCount(); ++tab)
        tabs.InsertTab(tab, editor->TabLabel(tab));
    if (const std::u16string ok = editor->OkButtonText(); !ok.empty())
        SetItemText(IDOK, ok);

    tabs.Select(0);
    ShowPage(editor->SwitchTab(tabs.Selection(), ReadControls()));
    return true;
}

void CProfileDlg::FillProviders()
{
    const CComboBox list(Item(IDC_PROFILE_DNS_LIST));
    list.Reset();
    const std::vector<std::u16string> names = ProviderNames();
    for (const std::u16string& name : names)
        list.AddString(name);
    // Names longer than the box are read in full in the dropped list.
    list.WidenDropDownFor(names);
    list.SetMinVisible(kProviderRows);
    // The first entry shows without filling the DNS fields.
    if (list.Count() > 0)
        list.Select(0);
}

std::vector<std::u16string> CProfileDlg::ProviderNames() const
{
    std::vector<std::u16string> names;
    for (const DnsProvider& provider : editor->DnsProviders())
        names.push_back(provider.name);
    return names;
}

std::uint32_t CProfileDlg::Address(int id) const
{
    DWORD value = 0;
    SendDlgItemMessageW(hwnd, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

void CProfileDlg::SetAddress(int id, const ShownAddress& value)
{
    if (value)
        SendDlgItemMessageW(hwnd, id, IPM_SETADDRESS, 0, static_cast<LPARAM>(*value));
    else
        SendDlgItemMessageW(hwnd, id, IPM_CLEARADDRESS, 0, 0);
}

EditorControls CProfileDlg::ReadControls() const
{
    EditorControls controls;
    controls.radio = -1;
    for (int radio = 0; radio < 3; ++radio) {
        if (Checked(kRadioIds[radio]))
            controls.radio = radio;
    }
    controls.adapterDisabled = Checked(IDC_PROFILE_DISABLE);
    controls.ip = Address(IDC_PROFILE_IP);
    controls.mask = Address(IDC_PROFILE_MASK);
    controls.gateway = Address(IDC_PROFILE_GATEWAY);
    controls.dns1 = Address(IDC_PROFILE_DNS1);
    controls.dns2 = Address(IDC_PROFILE_DNS2);
    return controls;
}

void CProfileDlg::ApplyEnables(const EditorEnables& enables, bool ipGroupToo)
{
    if (ipGroupToo) {
        for (int id : {IDC_PROFILE_IP, IDC_PROFILE_MASK, IDC_PROFILE_GATEWAY})
            EnableItem(id, enables.ipGroup);
    }
    for (int id : {IDC_PROFILE_DNS1, IDC_PROFILE_DNS2, IDC_PROFILE_DNS_LIST})
        EnableItem(id, enables.dnsFields);
    EnableItem(IDC_PROFILE_DNS_AUTO, enables.dnsCheck);
}

void CProfileDlg::ShowPage(const EditorPage& page)
{
    filling = true;
    for (int id : kAddressIds)
        SetAddress(id, std::nullopt);
    SetAddress(IDC_PROFILE_IP, page.ip);
    SetAddress(IDC_PROFILE_MASK, page.mask);
    SetAddress(IDC_PROFILE_GATEWAY, page.gateway);
    SetAddress(IDC_PROFILE_DNS1, page.dns1);
    SetAddress(IDC_PROFILE_DNS2, page.dns2);
    SetChecked(IDC_PROFILE_DISABLE, page.adapterDisabled);
    for (int radio = 0; radio < 3; ++radio)
        SetChecked(kRadioIds[radio], radio == page.radio);
    SetChecked(IDC_PROFILE_DNS_AUTO, page.dnsAutomatic);
    ApplyEnables(page.enables, true);
    // Without an entry there is nothing to set.
    for (int id : kRadioIds)
        EnableItem(id, page.hasRecord);
    EnableItem(IDC_PROFILE_DISABLE, page.hasRecord);
    filling = false;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CProfileDlg::SuggestFrom(std::uint32_t ip)
{
    const std::optional<AddressSuggestion> suggestion = SuggestFromAddress(ip);
    if (!suggestion)
        return;
    filling = true;
    SetAddress(IDC_PROFILE_GATEWAY, suggestion->gateway);
    SetAddress(IDC_PROFILE_MASK, suggestion->mask);
    filling = false;
}

void CProfileDlg::PickProvider()
{
    const CComboBox list(Item(IDC_PROFILE_DNS_LIST));
    const int selected = list.Selection();
    if (selected < 0)
        return;
    const std::optional<ProviderPick> pick = editor->PickProvider(list.ItemText(selected));
    if (!pick)
        return;
    if (pick->dns1)
        SetAddress(IDC_PROFILE_DNS1, *pick->dns1);
    if (pick->dns2)
        SetAddress(IDC_PROFILE_DNS2, *pick->dns2);
}

void CProfileDlg::OnOk()
{
    // The page on show goes into its entry first, and shows again as stored.
    ShowPage(editor->SwitchTab(tabs.Selection(), ReadControls()));
    switch (editor->Confirm(ItemText(IDC_PROFILE_NAME))) {
    case EditorClose::Ok:
        End(IDOK);
        break;
    case EditorClose::Cancel:
        End(IDCANCEL);
        break;
    case EditorClose::StayOpen: {
        const HWND name = Item(IDC_PROFILE_NAME);
        SetFocus(name);
        SendMessageW(name, EM_SETSEL, 0, -1);
        break;
    }
    }
}

bool CProfileDlg::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDOK:
        OnOk();
        return true;
    case IDCANCEL:
        End(IDCANCEL);
        return true;
    case IDC_PROFILE_MODE_NONE:
    case IDC_PROFILE_MODE_DHCP:
    case IDC_PROFILE_MODE_MANUAL:
        if (code == BN_CLICKED && Checked(id)) {
            const int radio = id == IDC_PROFILE_MODE_NONE ? kRadioLeaveAlone
                              : id == IDC_PROFILE_MODE_DHCP ? kRadioDhcp
                                                            : kRadioManual;
            ApplyEnables(EnablesForRadio(radio), true);
        }
        return true;
    case IDC_PROFILE_DNS_AUTO:
        if (code == BN_CLICKED) {
            const DnsAutomaticRule rule = DnsAutomatic(Checked(IDC_PROFILE_DNS_AUTO));
            ApplyEnables(rule.enables, false);
            if (rule.clearDns) {
                SetAddress(IDC_PROFILE_DNS1, std::nullopt);
                SetAddress(IDC_PROFILE_DNS2, std::nullopt);
            }
        }
        return true;
    case IDC_PROFILE_IP:
        // Every keystroke that changes a field.
        if (code == EN_CHANGE && !filling)
            SuggestFrom(Address(IDC_PROFILE_IP));
        return true;
    case IDC_PROFILE_DNS_LIST:
        if (code == CBN_SELCHANGE)
            PickProvider();
        return true;
    default:
        return CDialogBase::OnCommand(id, code, control);
    }
}

bool CProfileDlg::OnNotify(int id, NMHDR* header, LRESULT* result)
{
    if (id == IDC_PROFILE_TABS && header->code == TCN_SELCHANGE) {
        ShowPage(editor->SwitchTab(tabs.Selection(), ReadControls()));
        *result = 0;
        return true;
    }
    if (header->code != IPN_FIELDCHANGED)
        return false;
    if (id == IDC_PROFILE_IP && !filling) {
        // The field's new value may not be in the control yet.
        const auto* change = reinterpret_cast<const NMIPADDRESS*>(header);
        std::uint32_t ip = Address(IDC_PROFILE_IP);
        if (change->iField >= 0 && change->iField < 4) {
            const int shift = 8 * (3 - change->iField);
            const std::uint32_t field = change->iValue >= 0 && change->iValue <= 255 ? static_cast<std::uint32_t>(change->iValue) : 0;
            ip = (ip & ~(0xFFu << shift)) | field << shift;
        }
        SuggestFrom(ip);
    }
    *result = 0;
    return true;
}
