#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "album/track/track_time.h"
#include "cli/exit_status.h"

using namespace Qt::Literals::StringLiterals;

QStringList arguments_as_latin1(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLatin1(argv[i]));
  return arguments;
}

ParsedCommandLine parse_command_line(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      u"Makes an album page, a map of geotagged photos, from photo files and folders.\n"
      u"The page is written into the folder of the first photo and its path is printed last.\n"
      u"\n"
      u"Exit status: 0 when a page was written (or with --positions, when a photo had a\n"
      u"position), 1 when no photo had a position, 2 on bad usage or an error."_s);
  const QCommandLineOption help_option({u"h"_s, u"help"_s}, u"Shows this help."_s);
  const QCommandLineOption positions_option(
      u"positions"_s,
      u"Writes no page; prints one tab-separated line per photo: path, result (1, -1, -2 "
      u"or -3), latitude, longitude, date-time."_s);
  const QCommandLineOption open_option(u"open"_s, u"Opens the page with the desktop."_s);
  const QCommandLineOption template_option(
      u"template"_s, u"Fills FILE instead of templates/template.html beside the program."_s,
      u"FILE"_s);
  const QCommandLineOption no_previews_option(
      u"no-previews"_s, u"Writes no folder of small previews beside the page."_s);
  const QCommandLineOption track_option(
      u"track"_s,
      u"Places photos without a GPS position on the recorded track in this GPX file, by their "
      u"time; may be given more than once."_s,
      u"FILE"_s);
  const QCommandLineOption time_offset_option(
      u"time-offset"_s,
      u"With --track: the cameras' time zone as an offset from UTC (+02:00) for every photo, "
      u"instead of finding it from the photos or this computer."_s,
      u"OFFSET"_s);
  const QCommandLineOption clock_shift_option(
      u"clock-shift"_s,
      u"With --track: seconds added to every photo's date-time, for a camera clock that was "
      u"wrong (-90 for one 90 seconds fast)."_s,
      u"SECONDS"_s);
  const QCommandLineOption max_gap_option(
      u"max-gap"_s,
      u"With --track: how far in time before or after a track a photo may lie and still be "
      u"placed on its nearest point: seconds, or a number with s, m or h (default 5m)."_s,
      u"DURATION"_s);
  const QCommandLineOption version_option(u"version"_s, u"Shows the version."_s);
  parser.addOption(help_option);
  parser.addOption(version_option);
  parser.addOption(positions_option);
  parser.addOption(open_option);
  parser.addOption(template_option);
  parser.addOption(no_previews_option);
  parser.addOption(track_option);
  parser.addOption(time_offset_option);
  parser.addOption(clock_shift_option);
  parser.addOption(max_gap_option);
  parser.addPositionalArgument(
      u"PHOTO"_s,
      u"Photo files, in album order; a folder stands for its photo files (*.jpg, *.jpeg, "
      u"*.raw, *.tiff, *.tif in any letter case), sorted by name."_s,
      u"PHOTO..."_s);

  ParsedCommandLine result;
  const auto usage_error = [&](const WideText& message) {
    result.text = message + u" Try 'trailbook-album --help'."_s;
    result.exit_status = exit_usage_or_error;
    return result;
  };
  if (!parser.parse(arguments)) return usage_error(parser.errorText());
  if (parser.isSet(help_option)) {
    result.text = parser.helpText();
    result.exit_status = exit_success;
    return result;
  }

  if (parser.isSet(version_option)) {
    result.text = u"trailbook-album "_s + QCoreApplication::applicationVersion() + u'\n';
    result.exit_status = exit_success;
    return result;
  }

  CommandLine command;
  command.positions = parser.isSet(positions_option);
  command.open_page = parser.isSet(open_option);
  command.previews = !parser.isSet(no_previews_option);
  command.template_file = parser.value(template_option).toLatin1();
  for (const QString& argument : parser.positionalArguments()) {
    command.photo_args.append(argument.toLatin1());
  }
  if (command.photo_args.isEmpty()) return usage_error(u"No photo given."_s);
  if (command.photo_args.contains(AnsiText())) {
    return usage_error(u"An empty argument names no photo file or folder."_s);
  }
  if (command.positions && (command.open_page || parser.isSet(template_option))) {
    return usage_error(u"--positions writes no page: --open and --template do not apply."_s);
  }
  if (parser.isSet(template_option) && command.template_file.isEmpty()) {
    return usage_error(u"--template needs a file name."_s);
  }
  for (const QString& track : parser.values(track_option)) {
    if (track.isEmpty()) return usage_error(u"--track needs a file name."_s);
    command.track_files.append(track.toLatin1());
  }
  const bool time_options = parser.isSet(time_offset_option) || parser.isSet(clock_shift_option) ||
                            parser.isSet(max_gap_option);
  if (time_options && command.track_files.isEmpty()) {
    return usage_error(u"--time-offset, --clock-shift and --max-gap apply only with --track."_s);
  }
  if (parser.isSet(time_offset_option)) {
    command.time_offset = parse_utc_offset(parser.value(time_offset_option).toLatin1());
    if (!command.time_offset) {
      return usage_error(u"--time-offset takes an offset from UTC such as +02:00 or -05:30."_s);
    }
  }
  if (parser.isSet(clock_shift_option)) {
    const auto shift = parse_clock_shift(parser.value(clock_shift_option));
    if (!shift) return usage_error(u"--clock-shift takes whole seconds, such as -90."_s);
    command.clock_shift_seconds = *shift;
  }
  if (parser.isSet(max_gap_option)) {
    const auto gap = parse_max_gap(parser.value(max_gap_option));
    if (!gap) {
      return usage_error(u"--max-gap takes seconds or a number with s, m or h, such as 5m."_s);
    }
    command.max_gap_seconds = *gap;
  }
  result.command = std::move(command);
  return result;
}
