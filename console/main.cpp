#include "console/console_run.h"
#include "info/startup.h"

int main() {
  qor::RunStartUp();
  return qor::RunConsole();
}
