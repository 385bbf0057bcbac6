#pragma once
// The application object: owns the forms and data modules created through it, runs
// the message loop until the main form closes, tracks the hint of the control under
// the pointer, and shows message boxes that are modal for the whole application.
#include "framework/controls/Controls.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// <windows.h> defines MessageBox as a macro (MessageBoxA), which would rename the
// application's own MessageBox; the Win32 call is written MessageBoxA.
#undef MessageBox

class TCustomForm;

// The tooltip machinery (ApplicationHints.cpp), reached only through this
// interface: a program that never turns tooltips on does not carry it.
class TTooltips {
public:
    virtual ~TTooltips() = default;
    // Every message the loop takes from the queue, before it is dispatched.
    virtual void MessageFetched(const MSG& Msg) = 0;
};

using TExceptionEvent = TEvent<TObject*, const std::exception&>;
// Replaces the system message box (tests); returns the button pressed.
using TMessageBoxHook = std::function<int(const std::string& Text, const std::string& Caption, UINT Flags)>;

class TApplication : public TComponent {
    FW_CLASS(TApplication)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);
    // The hidden window that owns message boxes and carries the title.
    HWND Handle();

    // Creates a form or data module owned by the application, passing Args after the
    // owner to its constructor; the first form is the main form.
    template <class T, class... A>
    void CreateForm(T*& Reference, A&&... Args)
    {
        Reference = new T(this, std::forward<A>(Args)...);
        FormCreated(Reference);
    }
    TCustomForm* MainForm() const { return FMainForm; }
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void HandleMessage();
    void ProcessMessages();
    // Handles one message from the queue; false when the queue is empty.
    bool ProcessMessage();

    // Full path of the running program.
    std::string ExeName() const;

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    // Takes the hint from the control under the pointer (or its nearest parent with one).
    void UpdateHintFromPointer();
    TNotifyEvent OnHint;

    // Tooltips: the short hint of a control whose ShowHint holds (its own, or its
    // parent's with ParentShowHint) appears by the pointer after HintPause ms and
    // goes after HintHidePause ms, on leaving or on a click or key. Moving on to
    // another control, or another part of one, while a hint shows takes
    // HintShortPause. Off until the program turns it on (ApplicationHints.cpp).
    bool ShowHint() const { return FTooltips != nullptr; }
    void SetShowHint(bool value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int value) { FHintShortPause = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }

    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
    TMessageBoxHook MessageBoxHook;

    // Reports the exception being handled (call inside a catch block).
    void HandleException();
    void ShowException(const std::exception& E);
    TExceptionEvent OnException;

private:
    void FormCreated(TComponent* component);
    bool PreProcessKey(MSG& msg);

    std::string FTitle;
    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    std::string FHint;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    std::unique_ptr<TTooltips> FTooltips;
};

extern TApplication* Application;

// The first part of a hint "short|long" is for tooltips, the second for status lines.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
