// Vellanor 2.0: a grade book for a secondary-school teacher.

#include <cstdio>

int main() {
  // The main window is not built yet: the program builds whole and says so.
  std::puts("Vellanor 2.0 : la fenêtre principale n'est pas encore construite.");
  return 0;
}
