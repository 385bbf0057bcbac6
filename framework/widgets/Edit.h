#pragma once
// The system EDIT control: one line of text the user types. Once the window
// exists, every change of its text, the user's or the program's, raises OnChange.
#include "framework/controls/Controls.h"

class TEdit : public TWinControl {
    FW_CLASS(TEdit)
public:
    explicit TEdit(TComponent* AOwner);

    // The selection, in characters from 0; setting SelStart leaves nothing selected.
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    void SelectAll();
    // Characters the user may type; 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    TNotifyEvent OnChange;

    void Dispatch(TMessage& Message) override;

protected:
    virtual void Change();
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    bool HasCtl3DBorder() const override { return FBorderStyle == bsSingle; }

private:
    LRESULT SendToEdit(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
    void GetSelection(DWORD& Start, DWORD& End) const;

    int FMaxLength = 0;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = bsSingle;
};
