// The fake objects behind login_filler_fakes.h. The interfaces are used here through their C
// binding: each vtable is a struct of typed function pointers, so every method the walk has
// no business calling answers E_NOTIMPL (with the right stack clean-up on 32-bit) without an
// override written out for each of the several hundred methods of these interfaces. The
// interfaces' names stand here for their C structs, elsewhere for the C++ classes: nothing
// declared with them leaves this file (its header speaks of plain data only), and the objects
// meet the code under test only as the binary vtables both bindings share.
#define CINTERFACE
#include "login_filler_fakes.h"

#include <exdisp.h>
#include <mshtml.h>
#include <oleauto.h>

#include <cstddef>
#include <memory>
#include <utility>

namespace fill_fakes {
namespace {

template <class Fn>
struct NotImplemented;
template <class R, class... A>
struct NotImplemented<R(STDMETHODCALLTYPE*)(A...)> {
    static R STDMETHODCALLTYPE Stub(A...) { return static_cast<R>(E_NOTIMPL); }
};
struct AnyNotImplemented {
    template <class Fn>
    operator Fn() const {
        return &NotImplemented<Fn>::Stub;
    }
};
// A vtable whose every slot answers E_NOTIMPL; the fakes then fill in what the walk calls.
template <class Vtbl, std::size_t... Slot>
Vtbl AllNotImplemented(std::index_sequence<Slot...>) {
    return Vtbl{((void)Slot, AnyNotImplemented{})...};
}
template <class Vtbl>
Vtbl AllNotImplemented() {
    return AllNotImplemented<Vtbl>(std::make_index_sequence<sizeof(Vtbl) / sizeof(void*)>{});
}

Scenario* g_scenario = nullptr;
bool g_askedToRun = false;

std::optional<Answer> FaultAt(Call call, int window = 0, int element = 0) {
    const std::optional<Fault>& fault = g_scenario->fault;
    if (!fault || fault->call != call || fault->window != window || fault->element != element) return std::nullopt;
    return fault->answer;
}

// What a call that hands out an object answers: a new reference, or what the fault asks for.
template <class I>
HRESULT HandOut(I* object, void** out, std::optional<Answer> fault = {}, HRESULT refusal = E_NOINTERFACE) {
    *out = nullptr;
    if (fault == Answer::Fails) return refusal;
    if (fault == Answer::Empty) return S_OK;
    object->lpVtbl->AddRef(object);
    *out = object;
    return S_OK;
}

HRESULT HandOutText(const std::wstring* text, BSTR* out, std::optional<Answer> fault) {
    *out = nullptr;
    if (fault == Answer::Fails) return E_FAIL;
    if (fault == Answer::Empty || !text) return S_OK;  // a null string is an empty one
    *out = SysAllocString(text->c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

// Objects belong to the scenario: a count of zero frees nothing, so a release too many shows
// as a count below one instead of a crash.
template <class Fake, class I>
ULONG STDMETHODCALLTYPE AddRef(I* self) {
    return static_cast<ULONG>(++Fake::From(self)->refs);
}
template <class Fake, class I>
ULONG STDMETHODCALLTYPE Release(I* self) {
    return static_cast<ULONG>(--Fake::From(self)->refs);
}
template <class Fake, class I>
HRESULT STDMETHODCALLTYPE QueryInterface(I* self, REFIID iid, void** out) {
    return Fake::From(self)->Query(iid, out);
}

template <class Vtbl, class Fake, class I>
Vtbl UnknownVtbl() {
    Vtbl vtbl = AllNotImplemented<Vtbl>();
    vtbl.QueryInterface = QueryInterface<Fake, I>;
    vtbl.AddRef = AddRef<Fake, I>;
    vtbl.Release = Release<Fake, I>;
    return vtbl;
}

struct FakeElement {
    IHTMLElement element;
    IHTMLInputElement input;
    LONG refs;
    int window;
    int position;
    static FakeElement* From(IHTMLElement* p) { return reinterpret_cast<FakeElement*>(p); }
    static FakeElement* From(IHTMLInputElement* p) {
        return reinterpret_cast<FakeElement*>(reinterpret_cast<char*>(p) - offsetof(FakeElement, input));
    }
    Element& Data() const { return g_scenario->windows[window].elements[position]; }
    HRESULT Query(REFIID iid, void** out) {
        if (iid == IID_IUnknown || iid == IID_IDispatch) return HandOut(&element, out);
        if (iid == IID_IHTMLElement) return HandOut(&element, out, FaultAt(Call::QueryElement, window, position));
        // Every element answers as an input: only its tag tells the walk what it is.
        if (iid == IID_IHTMLInputElement) return HandOut(&input, out, FaultAt(Call::QueryInput, window, position));
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

struct FakeElements {
    IHTMLElementCollection iface;
    LONG refs;
    int window;
    std::vector<std::unique_ptr<FakeElement>>* items;
    static FakeElements* From(IHTMLElementCollection* p) { return reinterpret_cast<FakeElements*>(p); }
    HRESULT Query(REFIID iid, void** out) {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHTMLElementCollection)
            return HandOut(&iface, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

struct FakeDocument {
    IHTMLDocument2 iface;
    LONG refs;
    int window;
    FakeElements* all;
    static FakeDocument* From(IHTMLDocument2* p) { return reinterpret_cast<FakeDocument*>(p); }
    HRESULT Query(REFIID iid, void** out) {
        if (iid == IID_IUnknown || iid == IID_IDispatch) return HandOut(&iface, out);
        if (iid == IID_IHTMLDocument2 && g_scenario->windows[window].html)
            return HandOut(&iface, out, FaultAt(Call::QueryHtmlDocument, window));
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

struct FakeBrowser {
    IWebBrowser2 iface;
    LONG refs;
    int window;
    FakeDocument* document;
    static FakeBrowser* From(IWebBrowser2* p) { return reinterpret_cast<FakeBrowser*>(p); }
    HRESULT Query(REFIID iid, void** out) {
        if (iid == IID_IUnknown || iid == IID_IDispatch) return HandOut(&iface, out);
        if (iid == IID_IWebBrowser2 && g_scenario->windows[window].browser)
            return HandOut(&iface, out, FaultAt(Call::QueryBrowser, window));
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

struct FakeCollection {
    IShellWindows iface;
    LONG refs;
    std::vector<std::unique_ptr<FakeBrowser>>* browsers;
    static FakeCollection* From(IShellWindows* p) { return reinterpret_cast<FakeCollection*>(p); }
    HRESULT Query(REFIID iid, void** out) {
        if (iid == IID_IUnknown || iid == IID_IDispatch) return HandOut(&iface, out);
        if (iid == IID_IShellWindows) return HandOut(&iface, out, FaultAt(Call::QueryShellWindows));
        if (iid == IID_IRunnableObject) g_askedToRun = true;
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

// --- The calls the walk makes ---

HRESULT STDMETHODCALLTYPE CollectionCount(IShellWindows*, LONG* count) {
    if (FaultAt(Call::GetCount)) return E_FAIL;
    *count = static_cast<LONG>(g_scenario->windows.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CollectionItem(IShellWindows* self, VARIANT index, IDispatch** out) {
    *out = nullptr;
    if (index.vt != VT_I4) return E_INVALIDARG;
    auto& browsers = *FakeCollection::From(self)->browsers;
    if (index.lVal < 0 || index.lVal >= static_cast<LONG>(browsers.size())) return S_FALSE;  // as the shell answers
    IWebBrowser2* browser = &browsers[index.lVal]->iface;
    return HandOut(browser, reinterpret_cast<void**>(out), FaultAt(Call::Item, index.lVal), E_FAIL);
}

HRESULT STDMETHODCALLTYPE BrowserDocument(IWebBrowser2* self, IDispatch** out) {
    const FakeBrowser* browser = FakeBrowser::From(self);
    return HandOut(&browser->document->iface, reinterpret_cast<void**>(out),
                   FaultAt(Call::GetDocument, browser->window), E_FAIL);
}

HRESULT STDMETHODCALLTYPE BrowserHwnd(IWebBrowser2* self, SHANDLE_PTR* out) {
    const FakeBrowser* browser = FakeBrowser::From(self);
    if (FaultAt(Call::GetHwnd, browser->window)) return E_FAIL;
    *out = reinterpret_cast<SHANDLE_PTR>(g_scenario->windows[browser->window].topLevel);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DocumentTitle(IHTMLDocument2* self, BSTR* out) {
    const int window = FakeDocument::From(self)->window;
    return HandOutText(&g_scenario->windows[window].title, out, FaultAt(Call::GetTitle, window));
}

HRESULT STDMETHODCALLTYPE DocumentAll(IHTMLDocument2* self, IHTMLElementCollection** out) {
    const FakeDocument* document = FakeDocument::From(self);
    return HandOut(&document->all->iface, reinterpret_cast<void**>(out), FaultAt(Call::GetAll, document->window),
                   E_FAIL);
}

HRESULT STDMETHODCALLTYPE ElementsLength(IHTMLElementCollection* self, LONG* length) {
    const FakeElements* elements = FakeElements::From(self);
    if (FaultAt(Call::GetLength, elements->window)) return E_FAIL;
    *length = static_cast<LONG>(elements->items->size());
    return S_OK;
}

// The walk asks by position, with the position also as the name.
HRESULT STDMETHODCALLTYPE ElementsItem(IHTMLElementCollection* self, VARIANT name, VARIANT index, IDispatch** out) {
    *out = nullptr;
    if (name.vt != VT_I4 || index.vt != VT_I4 || name.lVal != index.lVal) return E_INVALIDARG;
    const FakeElements* elements = FakeElements::From(self);
    auto& items = *elements->items;
    if (index.lVal < 0 || index.lVal >= static_cast<LONG>(items.size())) return S_OK;
    FakeElement* element = items[index.lVal].get();
    element->Data().fetched = true;
    return HandOut(&element->element, reinterpret_cast<void**>(out),
                   FaultAt(Call::ElementItem, elements->window, element->position), E_FAIL);
}

HRESULT STDMETHODCALLTYPE ElementTag(IHTMLElement* self, BSTR* out) {
    const FakeElement* element = FakeElement::From(self);
    return HandOutText(&element->Data().tag, out, FaultAt(Call::GetTagName, element->window, element->position));
}

HRESULT STDMETHODCALLTYPE InputName(IHTMLInputElement* self, BSTR* out) {
    const FakeElement* element = FakeElement::From(self);
    const std::optional<std::wstring>& name = element->Data().name;
    return HandOutText(name ? &*name : nullptr, out, FaultAt(Call::GetName, element->window, element->position));
}

HRESULT STDMETHODCALLTYPE InputPutValue(IHTMLInputElement* self, BSTR value) {
    const FakeElement* element = FakeElement::From(self);
    element->Data().written = std::wstring(value ? value : L"");
    return FaultAt(Call::PutValue, element->window, element->position) ? E_FAIL : S_OK;
}

IShellWindowsVtbl g_collectionVtbl = [] {
    auto vtbl = UnknownVtbl<IShellWindowsVtbl, FakeCollection, IShellWindows>();
    vtbl.get_Count = CollectionCount;
    vtbl.Item = CollectionItem;
    return vtbl;
}();
IWebBrowser2Vtbl g_browserVtbl = [] {
    auto vtbl = UnknownVtbl<IWebBrowser2Vtbl, FakeBrowser, IWebBrowser2>();
    vtbl.get_Document = BrowserDocument;
    vtbl.get_HWND = BrowserHwnd;
    return vtbl;
}();
IHTMLDocument2Vtbl g_documentVtbl = [] {
    auto vtbl = UnknownVtbl<IHTMLDocument2Vtbl, FakeDocument, IHTMLDocument2>();
    vtbl.get_title = DocumentTitle;
    vtbl.get_all = DocumentAll;
    return vtbl;
}();
IHTMLElementCollectionVtbl g_elementsVtbl = [] {
    auto vtbl = UnknownVtbl<IHTMLElementCollectionVtbl, FakeElements, IHTMLElementCollection>();
    vtbl.get_length = ElementsLength;
    vtbl.item = ElementsItem;
    return vtbl;
}();
IHTMLElementVtbl g_elementVtbl = [] {
    auto vtbl = UnknownVtbl<IHTMLElementVtbl, FakeElement, IHTMLElement>();
    vtbl.get_tagName = ElementTag;
    return vtbl;
}();
IHTMLInputElementVtbl g_inputVtbl = [] {
    auto vtbl = UnknownVtbl<IHTMLInputElementVtbl, FakeElement, IHTMLInputElement>();
    vtbl.get_name = InputName;
    vtbl.put_value = InputPutValue;
    return vtbl;
}();

// --- The staged objects ---

std::unique_ptr<FakeCollection> g_collection;
std::vector<std::unique_ptr<FakeBrowser>> g_browsers;
std::vector<std::unique_ptr<FakeDocument>> g_documents;
std::vector<std::unique_ptr<FakeElements>> g_elementLists;
std::vector<std::vector<std::unique_ptr<FakeElement>>> g_elements;

void Check(std::vector<std::string>& unbalanced, const std::string& name, LONG refs) {
    if (refs != 1) unbalanced.push_back(name + ": " + std::to_string(refs));
}

}  // namespace

void Stage(Scenario& scenario) {
    Unstage();
    g_scenario = &scenario;
    g_askedToRun = false;
    const int windows = static_cast<int>(scenario.windows.size());
    g_elements.resize(windows);
    for (int w = 0; w < windows; ++w) {
        for (int e = 0; e < static_cast<int>(scenario.windows[w].elements.size()); ++e)
            g_elements[w].emplace_back(new FakeElement{{&g_elementVtbl}, {&g_inputVtbl}, 1, w, e});
        g_elementLists.emplace_back(new FakeElements{{&g_elementsVtbl}, 1, w, &g_elements[w]});
        g_documents.emplace_back(new FakeDocument{{&g_documentVtbl}, 1, w, g_elementLists.back().get()});
        g_browsers.emplace_back(new FakeBrowser{{&g_browserVtbl}, 1, w, g_documents.back().get()});
    }
    g_collection.reset(new FakeCollection{{&g_collectionVtbl}, 1, &g_browsers});
}

void* CreateShellWindows() {
    void* unknown = nullptr;
    g_collection->Query(IID_IUnknown, &unknown);
    return unknown;
}

std::vector<std::string> UnbalancedObjects() {
    std::vector<std::string> unbalanced;
    Check(unbalanced, "collection", g_collection->refs);
    for (std::size_t w = 0; w < g_browsers.size(); ++w) {
        const std::string window = "window " + std::to_string(w);
        Check(unbalanced, window + " browser", g_browsers[w]->refs);
        Check(unbalanced, window + " document", g_documents[w]->refs);
        Check(unbalanced, window + " elements", g_elementLists[w]->refs);
        for (std::size_t e = 0; e < g_elements[w].size(); ++e)
            Check(unbalanced, window + " element " + std::to_string(e), g_elements[w][e]->refs);
    }
    return unbalanced;
}

bool AskedToRun() { return g_askedToRun; }

void Unstage() {
    g_collection.reset();
    g_browsers.clear();
    g_documents.clear();
    g_elementLists.clear();
    g_elements.clear();
    g_scenario = nullptr;
}

}  // namespace fill_fakes
