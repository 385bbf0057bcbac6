#pragma once
// Forms: top-level windows whose content comes from a form resource.
#include "framework/controls/Controls.h"

enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<TObject*, TCloseAction&>;

const TEnumInfo& FormBorderStyleInfo();
const TEnumInfo& PositionInfo();

class TCustomForm : public TWinControl {
    FW_CLASS(TCustomForm)
public:
    // Creates an empty form; a form class with a resource calls LoadFromResource()
    // in its own constructor.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int value) { FTextHeight = value; }
    // Whether a form designed at another density than the screen's is scaled to it
    // when it is read.
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    // A length given at 96 pixels per inch, at the density the form is laid out for.
    int ScaledPixels(int Pixels) const { return MulDiv(Pixels, FPixelsPerInch, 96); }
    bool PreviewsKeys() const override { return FKeyPreview; }
    // Draws on the form's client area outside painting.
    TCanvas* Canvas() const { return FCanvas.get(); }

    // The control that has, or last had, the focus on this form.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);

    void Show();
    void Close();
    // Destroys the form once the messages being handled are done.
    void Release();

    // Keyboard interface of a dialog: Tab, Enter, Escape and Alt+mnemonic.
    // Returns true when the key was used.
    bool DialogKey(WORD key);
    bool DialogChar(char ch);
    void SelectNext(bool forward);

    void SetClientWidth(int v) override;
    void SetClientHeight(int v) override;
    TRect ClientRect() const override;
    void Dispatch(TMessage& Message) override;

    TCloseEvent OnClose;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void LoadFromResource();
    bool IsSizeStored() const override { return false; }
    void CreateParams(TCreateParams& Params) override;
    void VisibleChanged() override;
    void Loaded() override;
    void ChangeScale(int M, int D) override;
    // A form keeps its place; its client area is what scales.
    void ScaleBounds(int M, int D) override;

private:
    TRect WindowRectForClient(int clientWidth, int clientHeight) const;
    std::vector<TWinControl*> FocusOrder() const;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    bool FKeyPreview = false;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    bool FScaled = true;
    int FClientWidth = 0;
    int FClientHeight = 0;
    bool FPositioned = false;
    TWinControl* FActiveControl = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TForm : public TCustomForm {
    FW_CLASS(TForm)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// The form a control sits on, or null.
TCustomForm* GetParentForm(const TControl* control);
