#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <wx/validate.h>

class wxTextCtrl;

// The dialogs' data exchange: each validator ties a control to a member of its dialog, fills the
// control when the dialog starts and reads it back on OK. Texts go through the one Windows-1252
// conversion.

// Shows the message over the dialog, returns the keyboard to the box and selects any text in it,
// so that what was refused can be typed again.
void refuseTyped(wxWindow& box, const wxString& message, wxWindow* dialog);

// An edit box and a text of bytes. A box left as it was filled gives back the bytes exactly; a
// text typed with a line break or a character that has no byte is refused with a message that
// says what would be kept, and the dialog stays open.
class TextValidator : public wxValidator {
public:
    explicit TextValidator(std::string& text) : text_(text) {}
    wxObject* Clone() const override { return new TextValidator(*this); }
    bool TransferToWindow() override;
    bool TransferFromWindow() override;
    bool Validate(wxWindow* parent) override;

protected:
    // The bytes OK would take from the box.
    std::string typedBytes() const;
    bool leftAsFilled() const;
    // Shows the message, returns the keyboard to the box and selects its text.
    void refuse(const wxString& message, wxWindow* parent) const;

private:
    wxTextCtrl* box() const;

    std::string& text_;
    wxString filled_;
};

// An edit box whose text must pass a check before OK takes it, unless it was left as it was
// filled; a refused text brings the message, returns the keyboard to the box and keeps the
// dialog open.
class CheckedTextValidator : public TextValidator {
public:
    // The message that refuses a text, none for a text the box takes.
    using Check = std::function<std::optional<std::string>(std::string_view text)>;
    CheckedTextValidator(std::string& text, Check check) : TextValidator(text), check_(std::move(check)) {}
    wxObject* Clone() const override { return new CheckedTextValidator(*this); }
    bool Validate(wxWindow* parent) override;

private:
    Check check_;
};

// One radio button of a group: the group's value is the position of its selected button.
class RadioValidator : public wxValidator {
public:
    RadioValidator(int& value, int position) : value_(value), position_(position) {}
    wxObject* Clone() const override { return new RadioValidator(*this); }
    bool TransferToWindow() override;
    bool TransferFromWindow() override;
    bool Validate(wxWindow*) override { return true; }

private:
    int& value_;
    int position_;
};

// A combo box's entry, -1 for none. The box takes its current entry only once the user has been
// in it; a box left alone keeps what it was given, also an entry it cannot or does not show. In a
// box the user can type in, a typed text counts as the entry it names; one that names none is
// refused with a message.
class EntryValidator : public wxValidator {
public:
    enum class Start { ShowEntry, ShowNone };
    explicit EntryValidator(int& entry, Start start = Start::ShowEntry) : entry_(entry), start_(start) {}
    wxObject* Clone() const override { return new EntryValidator(*this); }
    void SetWindow(wxWindow* window) override;
    bool TransferToWindow() override;
    bool TransferFromWindow() override;
    bool Validate(wxWindow* parent) override;

private:
    int& entry_;
    Start start_;
    bool used_ = false;
};
