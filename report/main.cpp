#include <string>
#include <vector>

#include "info/startup.h"
#include "report/report.h"

int main(int argc, char** argv) {
  qor::RunStartUp();
  return qor::report::RunReport(std::vector<std::string>(argv + 1, argv + argc));
}
