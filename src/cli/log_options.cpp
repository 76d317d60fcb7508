#include "log_options.h"

#include "command_line.h"

namespace rizazovoz {

LogParse ParseLogOptions(const std::vector<std::string>& arguments) {
  LogParse result;
  LogOptions& o = result.options;
  CLI::App app("RizazOvoz logger", "rizazovoz-log");
  app.set_help_flag();
  std::string simulate;
  CLI::Option* simulateOption = AddSimulateOption(app, simulate);
  CLI::Option* port = app.add_option("--port", o.link.portPath)->type_name("PATH");
  port->excludes(simulateOption);
  app.add_option("--baud", o.baudRate)->type_name("N")->check(CLI::PositiveNumber);
  app.add_option("--sample-ms", o.sampleMs)->type_name("N")->check(CLI::Range(50, 60000));
  app.add_option("--channels", o.channels)->type_name("NAME,...")->delimiter(',');
  CLI::Option* interval =
      app.add_option("--interval-ms", o.intervalMs)->type_name("N")->check(CLI::Range(1, 3600000));
  app.add_option("--time-base", o.timeBase)->type_name("S")->excludes(interval);
  app.add_option("--units", o.tempUnits)->check(CLI::IsMember({"C", "F"}));
  app.add_option("--speed", o.speedUnits)->check(CLI::IsMember({"MPH", "KPH"}));
  app.add_option("--flow-rate", o.flowRate)->type_name("N")->check(CLI::PositiveNumber);
  app.add_flag("--mpg-dial", o.mpgDial);
  app.add_option("--out", o.out)->type_name("FILE|-");
  app.add_option("--duration", o.durationSeconds)->type_name("SECONDS")->check(CLI::PositiveNumber);
  app.add_option("--rows", o.rows)->type_name("N")->check(CLI::PositiveNumber);
  app.add_flag("--quiet", o.quiet);
  app.add_flag("-h,--help", o.help);
  app.add_flag("--version", o.version);

  result.error = ParseWith(app, arguments);
  if (!result.error.empty()) return result;
  o.link.simulate = simulateOption->count() > 0;
  if (!simulate.empty()) {
    NormaliseIdentity(simulate);
    o.link.simulatedIdentity = simulate;
  }
  if (o.channels.empty()) result.error = "--channels needs at least one channel name";
  return result;
}

std::string LogUsage() {
  return "Usage: rizazovoz-log [--port PATH | --simulate[=ID]] [--baud N] [--sample-ms N]\n"
         "                     [--channels NAME,NAME,...] [--interval-ms N | --time-base S]\n"
         "                     [--units C|F] [--speed MPH|KPH] [--flow-rate N] [--mpg-dial]\n"
         "                     [--out FILE|-] [--duration SECONDS] [--rows N] [--quiet]\n"
         "                     [--help] [--version]\n"
         "  --port PATH            the serial port of the interface (else found by its name)\n"
         "  --simulate[=ID]        a simulated interface and ECU (identity 1103 by default)\n"
         "  --baud N               line speed, 15625 (default) or 7812\n"
         "  --sample-ms N          how often the ECU is asked, 50 to 60000 ms (default 100)\n"
         "  --channels A,B,...     the logger's channel names (default RPM,MAP,CTS,IAT)\n"
         "  --interval-ms N        a row every N ms\n"
         "  --time-base S          or a row every S*40 ms, as the window's T/Div (default 10)\n"
         "  --units C|F  --speed MPH|KPH  --flow-rate N  --mpg-dial   as the dashboard's\n"
         "  --out FILE|-           the CSV file, - for standard output (default: named by the\n"
         "                         date and time, so runs never overwrite each other)\n"
         "  --duration SECONDS     stop after this long; --rows N: after N rows\n"
         "  --quiet                no status line\n";
}

}  // namespace rizazovoz
