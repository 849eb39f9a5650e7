#include "demo_form.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/fl_ask.H>

#include <cstdint>
#include <string>
#include <utility>

#include "paper_items.h"
#include "settings_file.h"

namespace paginor::demo {
namespace {

// The layout: a column of captions, a column of fields, the buttons at the bottom.
constexpr int Margin = 12;
constexpr int CaptionWidth = 110;
constexpr int FieldX = Margin + CaptionWidth + 8;
constexpr int FieldWidth = 220;
constexpr int RowHeight = 26;
constexpr int RowStep = 34;
constexpr int ButtonWidth = 100;
constexpr int FormWidth = FieldX + FieldWidth + Margin;
constexpr int FormHeight = Margin + 7 * RowStep + Margin;

int RowY(int row) { return Margin + row * RowStep; }

Fl_Box* Caption(int row, const char* text) {
  auto* caption = new Fl_Box(Margin, RowY(row), CaptionWidth, RowHeight);
  caption->copy_label(text);
  caption->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
  return caption;
}

Fl_Input* TextBox(int row, const char* text) {
  auto* input = new Fl_Input(FieldX, RowY(row), FieldWidth, RowHeight);
  input->value(text);
  return input;
}

// A check box whose caption stands in the caption column, left of the box.
Fl_Check_Button* CheckBox(int row, const char* text) {
  auto* check = new Fl_Check_Button(FieldX, RowY(row), RowHeight, RowHeight);
  check->copy_label(text);
  check->align(FL_ALIGN_LEFT);
  return check;
}

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  fl_message_title(caption.c_str());
  if (icon == MessageIcon::Information) {
    fl_message("%s", text.c_str());
  } else {
    fl_alert("%s", text.c_str());
  }
}

DemoForm::DemoForm(ProgramPaths paths) : Paths(std::move(paths)) {
  FormPaginorDemo = new Fl_Double_Window(FormWidth, FormHeight, ProgramTitle);
  LabelAuthor = Caption(0, "Author:");
  TextAuthor = TextBox(0, "Larkfield");
  LabelCreator = Caption(1, "Creator:");
  TextCreator = TextBox(1, "Paginor Demo");
  LabelTitle = Caption(2, "Title:");
  TextTitle = TextBox(2, "Demo");
  LabelPapersize = Caption(3, "Paper Size:");
  ComboPapersize = new Fl_Choice(FieldX, RowY(3), FieldWidth, RowHeight);
  for (const PaperItem& item : PaperItems) {
    const std::string name(item.Name);
    ComboPapersize->add(name.c_str(), 0, nullptr,
                        reinterpret_cast<void*>(static_cast<intptr_t>(item.Value)));
  }
  CheckLandscape = CheckBox(4, "Landscape:");
  CheckRotated = CheckBox(5, "Rotated:");
  CommandPDF = new Fl_Button(FieldX, RowY(6) + 6, ButtonWidth, RowHeight, "PDF");
  CommandPDF->callback(CommandPDFClick, this);
  CommandPS = new Fl_Button(FieldX + FieldWidth - ButtonWidth, RowY(6) + 6, ButtonWidth, RowHeight, "PS");
  CommandPS->callback(CommandPSClick, this);
  FormPaginorDemo->end();
  Load();
}

DemoForm::~DemoForm() { delete FormPaginorDemo; }

int DemoForm::Run() {
  SetMessageHandler(ShowMessageBox);
  FormPaginorDemo->show();
  const int status = Fl::run();
  SetMessageHandler(nullptr);
  return status;
}

// The captions come from the settings file (a missing key leaves the caption empty); "A4" is selected.
void DemoForm::Load() {
  const auto caption = [this](const char* control) {
    return ReadSetting(Paths.SettingsFile, SettingsSection, control);
  };
  LabelAuthor->copy_label(caption("LabelAuthor").c_str());
  LabelCreator->copy_label(caption("LabelCreator").c_str());
  LabelTitle->copy_label(caption("LabelTitle").c_str());
  LabelPapersize->copy_label(caption("LabelPapersize").c_str());
  CheckLandscape->copy_label(caption("CheckLandscape").c_str());
  CheckRotated->copy_label(caption("CheckRotated").c_str());
  ComboPapersize->value(static_cast<int>(DefaultPaperItem));
}

// The properties as the form shows them; the paper code is the selected item's own value.
DocumentFields DemoForm::Fields() const {
  DocumentFields fields;
  fields.Author = TextAuthor->value();
  fields.Creator = TextCreator->value();
  fields.Title = TextTitle->value();
  if (const Fl_Menu_Item* item = ComboPapersize->mvalue()) {
    fields.PaperSize = static_cast<PaperSizeConstants>(item->argument());
  }
  fields.Landscape = CheckLandscape->value() != 0;
  fields.Rotated = CheckRotated->value() != 0;
  return fields;
}

void DemoForm::Write(DocumentFormat format) {
  FormPaginorDemo->cursor(FL_CURSOR_WAIT);
  Fl::flush();
  WriteSampleDocument(format, Fields(), Paths, ShowMessageBox);
  FormPaginorDemo->cursor(FL_CURSOR_DEFAULT);
}

void DemoForm::CommandPDFClick(Fl_Widget*, void* form) {
  static_cast<DemoForm*>(form)->Write(DocumentFormat::Pdf);
}
void DemoForm::CommandPSClick(Fl_Widget*, void* form) {
  static_cast<DemoForm*>(form)->Write(DocumentFormat::PostScript);
}

}  // namespace paginor::demo
