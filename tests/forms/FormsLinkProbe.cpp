// Only a program to link the forms into (see CMakeLists.txt); it fails when
// their static initialisers registered no menu opener.
#include "pages/FormOpeners.h"

int main() { return FormOpenerClasses().empty() ? 1 : 0; }
