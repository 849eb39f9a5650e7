#pragma once

#include <string>

#include "program_paths.h"
#include "sample_document.h"

class Fl_Box;
class Fl_Button;
class Fl_Check_Button;
class Fl_Choice;
class Fl_Double_Window;
class Fl_Input;
class Fl_Widget;

namespace paginor::demo {

// The demo's window, FormPaginorDemo: the document properties, the paper list, the orientation check
// boxes and the two buttons that write the sample document as PDF or as PostScript.
class DemoForm {
 public:
  explicit DemoForm(ProgramPaths paths);
  ~DemoForm();
  DemoForm(const DemoForm&) = delete;
  DemoForm& operator=(const DemoForm&) = delete;

  // Shows the window and handles its events until it is closed; the program's exit status.
  int Run();

 private:
  void Load();
  DocumentFields Fields() const;
  void Write(DocumentFormat format);
  static void CommandPDFClick(Fl_Widget*, void* form);
  static void CommandPSClick(Fl_Widget*, void* form);

  ProgramPaths Paths;
  Fl_Double_Window* FormPaginorDemo;
  Fl_Box* LabelAuthor;
  Fl_Input* TextAuthor;
  Fl_Box* LabelCreator;
  Fl_Input* TextCreator;
  Fl_Box* LabelTitle;
  Fl_Input* TextTitle;
  Fl_Box* LabelPapersize;
  Fl_Choice* ComboPapersize;
  Fl_Check_Button* CheckLandscape;
  Fl_Check_Button* CheckRotated;
  Fl_Button* CommandPDF;
  Fl_Button* CommandPS;
};

// Shows a message box: the text with the caption as its title, an information or an exclamation icon.
void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon);

}  // namespace paginor::demo
