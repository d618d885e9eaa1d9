#pragma once

#include "core/options/Shortcuts.h"
#include "core/provider/DownloadPlan.h"
#include "core/xml/XmlDocument.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace meltemix {

// The controls of the options dialog that its rules speak of, by their names in the dialog.
enum class OptionsControl {
    // "Genel"
    CheckBox1, CheckBox18, CheckBox19, CheckBox3, CheckBox2, Label3, ComboBox3, CheckBox4,
    CheckBox17, CheckBox16,
    // "Görünüm"
    Label5, ComboBox2, Panel1, Label1, Bevel1, Shape1, CheckBox5, Label2, Edit1, UpDown1, Label6,
    CheckBox20, CheckBox15, CheckBox6, CheckBox7, CheckBox8, CheckBox9, CheckBox10, CheckBox11,
    CheckBox12, CheckBox13, CheckBox14,
    // "Şehirler"
    RadioButton1, Label4, ComboBox1, Button3, RadioButton2, Label8, Label12, Edit2, Button5,
    Label9, Label10, ListBox1, Button4, RadioButton3, ListBox2, Button6, Button7,
    // The frame
    Button1, Button2,
    Count
};

constexpr int OptionsControlCount = static_cast<int>(OptionsControl::Count);

// What the dialog's window shows; the presenter decides, the window draws. Texts are UTF-8.
class OptionsView {
public:
    virtual ~OptionsView() = default;

    virtual void setChecked(OptionsControl control, bool checked) = 0;
    virtual void setEnabled(OptionsControl control, bool enabled) = 0;
    // Edit boxes and labels.
    virtual void setText(OptionsControl control, const std::string& text) = 0;
    virtual void selectAllText(OptionsControl control) = 0;
    // Combo boxes and list boxes; a row of -1 is no selection.
    virtual void setItems(OptionsControl control, const std::vector<std::string>& items) = 0;
    virtual void setSelection(OptionsControl control, int row) = 0;
    virtual void setFocus(OptionsControl control) = 0;
    // The button that Enter presses: Button1 "&Kaydet" or Button5 "&Araştır".
    virtual void setDefaultButton(OptionsControl button) = 0;
    // The colour swatch, a colour reference 0x00BBGGRR.
    virtual void setSwatchColour(std::uint32_t colour) = 0;
    virtual void showPage(int page) = 0;
    // The hourglass while the dialog blocks.
    virtual void setBusy(bool busy) = 0;
    // An error box with one OK button.
    virtual void showError(const std::string& text) = 0;
    // The system colour picker, preset to `colour`; false when cancelled.
    virtual bool chooseColour(std::uint32_t& colour) = 0;
};

// What the dialog needs of the world beyond its window.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    // The location search's download on the calling thread: true with the answer's bytes
    // (whatever its status) in `body`, false when no answer could be had.
    virtual bool download(const DownloadPlan& plan, std::string& body) = 0;
    virtual std::unique_ptr<XmlDocument> createDocument() = 0;
    virtual ShellLinks& shell() = 0;
};

} // namespace meltemix
