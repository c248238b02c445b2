#pragma once
// Fakes of the shell's window collection and of browser windows showing pages, for the
// login-form filler. A test describes the windows as plain data; the COM objects behind them
// live in login_filler_fakes.cpp, count their references and record what the walk did.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace fill_fakes {

// The calls of the walk that a scenario can disturb.
enum class Call {
    QueryShellWindows,
    GetCount,
    Item,
    QueryBrowser,
    GetDocument,
    QueryHtmlDocument,
    GetHwnd,
    GetTitle,
    GetAll,
    GetLength,
    ElementItem,
    QueryElement,
    GetTagName,
    QueryInput,
    GetName,
    PutValue,
};
// Fails: an error result. Empty: success without an object or text.
enum class Answer { Fails, Empty };

struct Fault {
    Call call;
    Answer answer;
    int window = 0;   // the window it applies to
    int element = 0;  // and the element, for the calls on elements
};

struct Element {
    std::wstring tag = L"INPUT";
    std::optional<std::wstring> name;  // none: the input has no name
    // What the walk did: fetched it from the page, wrote a value into it.
    bool fetched = false;
    std::optional<std::wstring> written;
};

struct Window {
    HWND topLevel = nullptr;
    std::wstring title;
    std::vector<Element> elements;
    bool browser = true;  // false: a shell window that is no web browser
    bool html = true;     // false: its document is no HTML page
};

struct Scenario {
    std::vector<Window> windows;
    std::optional<Fault> fault;
};

// Builds the objects for the scenario, which must outlive them: the walk's traces are
// written into it. Every object starts with one reference, the scenario's own.
void Stage(Scenario& scenario);
// The collection's IUnknown with a new reference, as CoCreateInstance hands it out.
void* CreateShellWindows();
// Objects whose reference count is not back at one, each as "name: count".
std::vector<std::string> UnbalancedObjects();
// Whether the collection was asked for IRunnableObject, as OleRun does.
bool AskedToRun();
void Unstage();

}  // namespace fill_fakes
