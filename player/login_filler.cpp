// "Fill Member ID": walks the shell's open windows and writes the profile's login data into
// every page of the service's login form shown in a browser. The command asks and reports
// nothing; whatever the browser answers, it ends quietly and the program goes on.
#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
#include <ole2.h>

#include "base/com_handle.h"
#include "base/settings.h"
#include "login_filler_internal.h"
#include "login_rules.h"
#include "player.h"
#include "stored_password.h"

namespace {

// Not constexpr: for clang the address of an imported function is no constant expression.
const LoginFillCalls kSystemCalls = {CoCreateInstance, OpenSettings};
const LoginFillCalls* g_calls = &kSystemCalls;

// False when the settings key cannot be opened. An absent value reads as empty.
bool ReadStoredLogin(LoginTexts& texts) {
    const RegKey key = g_calls->openSettings(KEY_QUERY_VALUE, kSettingsKeyPath);
    if (!key) return false;
    ReadLoginTexts(key.get(), texts);
    return true;
}

const wchar_t* TextFor(const LoginTexts& texts, LoginField field) {
    switch (field) {
    case LoginField::Member: return texts.member;
    case LoginField::Site: return texts.site;
    case LoginField::Password: return texts.password;
    case LoginField::None: break;
    }
    return L"";
}

// Writes the text into the input; an empty text clears the field. False only when no string
// can be made of it; the input's answer is not examined.
bool WriteInput(IHTMLInputElement* input, const wchar_t* text) {
    const Bstr value = AllocateBstr(text);
    if (!value) return false;
    input->put_value(value.get());
    return true;
}

enum class Step { Next, Filled, EndCommand };

// One element of a login page: Filled when it was an input of the profile's and got its text.
Step VisitElement(IHTMLElementCollection* all, LONG position, const LoginTexts& texts) {
    const Variant name = NumberVariant(position);
    const Variant index = NumberVariant(position);
    ComRef<IDispatch> item;
    if (FAILED(all->item(name.get(), index.get(), item.out())) || !item) return Step::Next;
    ComRef<IHTMLElement> element;
    if (!QueryInto(item.get(), __uuidof(IHTMLElement), element)) return Step::Next;
    Bstr tag;
    if (FAILED(element->get_tagName(tag.out())) || !IsInputTag(tag.get())) return Step::Next;
    ComRef<IHTMLInputElement> input;
    if (!QueryInto(element.get(), __uuidof(IHTMLInputElement), input)) return Step::Next;
    Bstr inputName;
    if (FAILED(input->get_name(inputName.out()))) return Step::Next;
    const LoginField field = LoginFieldForInputName(inputName.get());  // no name is no field
    if (field == LoginField::None) return Step::Next;
    return WriteInput(input.get(), TextFor(texts, field)) ? Step::Filled : Step::EndCommand;
}

// One window of the collection: skipped unless it is a browser, alive, showing the login page.
Step VisitWindow(IShellWindows* windows, LONG index, const LoginTexts& texts) {
    const Variant position = NumberVariant(index);
    ComRef<IDispatch> item;
    if (FAILED(windows->Item(position.get(), item.out()))) return Step::EndCommand;
    if (!item) return Step::Next;
    ComRef<IWebBrowser2> browser;
    if (!QueryInto(item.get(), __uuidof(IWebBrowser2), browser)) return Step::Next;
    ComRef<IDispatch> document;
    if (FAILED(browser->get_Document(document.out())) || !document) return Step::Next;
    ComRef<IHTMLDocument2> page;
    if (!QueryInto(document.get(), __uuidof(IHTMLDocument2), page)) return Step::Next;
    SHANDLE_PTR handle = 0;
    if (FAILED(browser->get_HWND(&handle)) || !IsWindow(reinterpret_cast<HWND>(handle))) return Step::Next;
    Bstr title;
    if (FAILED(page->get_title(title.out()))) return Step::EndCommand;
    if (!IsLoginPageTitle(title.get())) return Step::Next;
    ComRef<IHTMLElementCollection> all;
    if (FAILED(page->get_all(all.out())) || !all) return Step::Next;
    LONG length = 0;
    if (FAILED(all->get_length(&length))) return Step::Next;
    int fills = 0;
    for (LONG j = 0; j < length && MayFillMore(fills); ++j) {
        const Step step = VisitElement(all.get(), j, texts);
        if (step == Step::EndCommand) return step;
        if (step == Step::Filled) ++fills;
    }
    return Step::Next;
}

// The shell's window collection, created and running; empty when any of that fails.
void OpenShellWindows(ComRef<IShellWindows>& windows) {
    ComRef<IUnknown> created;
    const DWORD context = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
    if (FAILED(g_calls->createInstance(__uuidof(ShellWindows), nullptr, context, __uuidof(IUnknown),
                                       reinterpret_cast<void**>(created.out()))) ||
        !created)
        return;
    if (FAILED(OleRun(created.get()))) return;
    // A query that reports success without an object leaves windows empty: the command
    // ends here instead of the program, which would lose the member's unsaved session.
    QueryInto(created.get(), __uuidof(IShellWindows), windows);
}  // the created object is released once the collection is held

}  // namespace

void SetLoginFillCalls(const LoginFillCalls* calls) { g_calls = calls ? calls : &kSystemCalls; }

void FillMemberLoginForm(HWND) {
    SignalBrowserHosts();
    ComRef<IShellWindows> windows;
    OpenShellWindows(windows);
    if (!windows) return;
    // A count that cannot be read ends the command quietly too, for the same reason.
    LONG count = 0;
    if (FAILED(windows->get_Count(&count)) || count <= 0) return;
    LoginTexts texts{};
    if (!ReadStoredLogin(texts)) return;
    for (LONG i = 0; i < count; ++i)
        if (VisitWindow(windows.get(), i, texts) == Step::EndCommand) return;
}
