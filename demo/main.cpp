// PaginorDemo: writes a sample document as PDF and as PostScript, from a window or from the command
// line (see --help).
#include <X11/Xlib.h>

#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "demo_form.h"
#include "headless_run.h"
#include "program_paths.h"

namespace {

// True when an X display can be opened (the window toolkit would end the program otherwise).
bool DisplayAvailable() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace paginor::demo;
  const std::string name = argc > 0 ? argv[0] : "PaginorDemo";
  const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  if (!command.Error.empty()) {
    std::cerr << name << ": " << command.Error << "\n" << "Try \"" << name << " --help\".\n";
    return 2;
  }
  if (command.Help) {
    std::cout << HelpText(name);
    return 0;
  }
  const ProgramPaths paths = RunningProgramPaths(argc > 0 ? argv[0] : nullptr);
  if (command.AnyOption || !DisplayAvailable()) return RunHeadless(command.Fields, command.Formats, paths);
  DemoForm form(paths);
  return form.Run();
}
