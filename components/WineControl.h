#pragma once
// A windowless field that looks like a combo box, an edit box or a date box and only
// shows a value: its owner does any editing, and learns of clicks, and whether they
// hit the drop-down button, through OnWineClick. A date is shown in the user's
// short date pattern with the year always in four digits.
#include "framework/controls/Controls.h"
#include "framework/text/DateUtils.h"

#include <string>

enum WineControlStyle { wcCombo, wcEdit, wcDate };
enum WineControlType { wtAny, wtInteger, wtNumeric };

const TEnumInfo& WineControlStyleInfo();
const TEnumInfo& WineControlTypeInfo();

// The click reached the field; OnButton tells whether it hit the drop-down button.
using TWineClickEvent = TEvent<TObject*, bool>;

// The locale's short date pattern (in date-format letters) turned into one with a
// four-digit year and at least two letters for the day and the month.
std::string FourDigitYearDatePattern(const std::string& ShortDateFormat);

class TWineControl : public TGraphicControl {
    FW_CLASS(TWineControl)
public:
    explicit TWineControl(TComponent* AOwner);
    ~TWineControl() override;

    // The runtime's short date pattern as the field shows dates, derived afresh on each read.
    std::string DateFormat() const { return GetDateFormatA(); }
    virtual std::string GetDateFormatA() const;

    std::string Text() const { return GetText(); }
    virtual void SetCaption(const std::string& value);
    void SetText(const std::string& value) override { SetCaption(value); }
    TDateTime Date() const { return FDate; }
    // 0 empties the text. A date outside the years 1 to 9999 raises EConvertError and changes nothing.
    virtual void SetDate(TDateTime value);
    void SetColor(TColor value) override;
    const std::string& SelectedCode() const { return FSelectedCode; }
    virtual void SetSelectedCode(const std::string& value);
    WineControlStyle Style() const { return FStyle; }
    virtual void SetStyle(WineControlStyle value);
    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment value);
    void SetEnabled(bool value) override;

    // Kept for the owner and not interpreted by the field.
    const std::string& CodeTableType() const { return FCodeTableType; }
    void SetCodeTableType(const std::string& value) { FCodeTableType = value; }
    WineControlType Type() const { return FType; }
    void SetType(WineControlType value) { FType = value; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = value; }
    // Not owned; cleared when that control is destroyed first.
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value);

    // Where the drop-down button was last drawn, in client coordinates; empty before.
    const TRect& ButtonRect() const { return FButtonRect; }
    void DrawComboButton(bool Pressed);

    void Click() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    TWineClickEvent OnWineClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnSelectedCodeChange;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool HasButton() const { return FStyle == wcCombo || FStyle == wcDate; }
    void DrawValue(TCanvas& Canvas);
    void DrawArrow(TCanvas& Canvas, bool Pressed);

    TDateTime FDate = 0;
    std::string FCodeTableType;
    WineControlStyle FStyle = wcCombo;
    WineControlType FType = wtAny;
    std::string FSelectedCode;
    int FMaxLength = 0;
    TRect FButtonRect;
    TControl* FControl = nullptr;
    TAlignment FAlignment = taLeftJustify;
};

namespace WineControl {
// Puts TWineControl on the palette page "Corvel".
void Register();
} // namespace WineControl
