// The article originality checker: one window; closing it ends the program.
#include "checker_ui/program.h"

int main(int argc, char** argv) { return checker_ui::RunChecker(argc, argv); }
