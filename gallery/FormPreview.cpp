#include "gallery/FormPreview.h"

#include "gallery/PngFile.h"
#include "gallery/StandardHandles.h"

#include "components/ColorButton.h"
#include "components/CorvelComboBox.h"
#include "components/CorvelLabel.h"
#include "components/CorvelListBox.h"
#include "components/CorvelSplit.h"
#include "components/WineControl.h"
#include "components/WineWall.h"
#include "framework/controls/Menus.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Picture.h"
#include "framework/streaming/FormReader.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/Image.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/ListBox.h"
#include "framework/widgets/StatusBar.h"
#include "framework/widgets/Timer.h"

#include <set>

namespace {
// Every class a form may be made of: naming them links them in, which registers
// them by name for the reader.
void RegisterFormClasses()
{
    for (const TClassInfo* cls :
         {&TLabel::StaticClass(), &TButton::StaticClass(), &TEdit::StaticClass(), &TComboBox::StaticClass(),
          &TListBox::StaticClass(), &TImage::StaticClass(), &TStatusBar::StaticClass(), &TTimer::StaticClass(),
          &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(), &TCorvelLabel::StaticClass(),
          &TCorvelComboBox::StaticClass(), &TCorvelListBox::StaticClass(), &TWineWall::StaticClass(),
          &TWineControl::StaticClass(), &TCorvelSplit::StaticClass(), &TColorButton::StaticClass()})
        RegisterClass(*cls);
}

void Report(const std::string& line) { WriteToStandardHandle(STD_ERROR_HANDLE, line + "\n"); }

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The folder of the form being previewed, where its program's pictures may lie.
std::string PictureFolder;

// A picture named by resource: NAME.bmp beside the form, else left empty (said once).
void PictureBesideTheForm(TBitmap& bitmap, const std::string& name)
{
    static std::set<std::string> reported;
    const std::string file = PictureFolder + name + ".bmp";
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const std::string bytes = TFileStream(file, fmOpenRead).ReadAll();
        bitmap.LoadFromBmpBytes(TBytes(bytes.begin(), bytes.end()));
        return;
    }
    if (reported.insert(name).second)
        Report("the picture " + name + " is the program's own resource, and no " + file + " is there: left empty");
}

// The previewed form: a plain form of the framework holding another program's components.
class TPreviewForm : public TForm {
public:
    TPreviewForm(TComponent* Owner, const std::string& text, const std::string& resourceName) : TForm(Owner)
    {
        ReadForeignComponent(text, *this, resourceName, [&](const std::string& handler, int line) {
            Report(resourceName + " line " + std::to_string(line) + ": the event handler " + handler +
                   " is the form's own program's: left unbound");
        });
    }
};

// What the form shows on the screen, its frame included.
void SaveScreenshot(HWND window, const std::string& file)
{
    RECT r{};
    GetWindowRect(window, &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    const TWindowDC screen(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen.Get(), r.left, r.top, SRCCOPY);
    const std::string png = EncodePng(shot);
    TFileStream(file, fmCreate).WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
}

void ShowPainted(TForm& form)
{
    form.Show();
    SetForegroundWindow(form.Handle());
    UpdateWindow(form.Handle());
    // The system's controls paint on their own messages; let them arrive.
    for (int i = 0; i < 20; ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
}
} // namespace

int RunPreview(const std::string& formFile, const std::string& screenshotFile)
{
    try {
        const std::string text = TFileStream(formFile, fmOpenRead).ReadAll();
        RegisterFormClasses();
        Application->Initialize();
        Application->SetTitle("Corvel form preview");
        Application->SetShowHint(true);
        PictureFolder = FolderOf(formFile);
        SetPictureSource(&PictureBesideTheForm);
        const size_t slash = formFile.find_last_of("\\/");
        TPreviewForm* form = nullptr;
        Application->CreateForm(form, text, slash == std::string::npos ? formFile : formFile.substr(slash + 1));
        if (screenshotFile.empty()) {
            Application->Run();
            return 0;
        }
        ShowPainted(*form);
        SaveScreenshot(form->Handle(), screenshotFile);
        return 0;
    } catch (const std::exception& e) {
        if (!WriteToStandardHandle(STD_ERROR_HANDLE, std::string(e.what()) + "\n"))
            MessageBoxA(nullptr, e.what(), "Corvel form preview", MB_OK | MB_ICONERROR);
        return 2;
    }
}
