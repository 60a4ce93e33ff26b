# Checks that the sub-folders of album/ and exif/ include only the floors below them, so that
# the arrows between them run one way. Each target's include folder already keeps album/ out of
# exif/ and app/ out of cli/; this keeps the folders inside a library in order.
#
cmake_minimum_required(VERSION 3.25)

# Run as: cmake -DSOURCE_DIR=<repository> -P scripts/check_include_rules.cmake

# folder | what its files may include besides system headers, text/ and themselves
set(rules
    "exif/io|"
    "exif/tiff|exif/io/"
    "exif/formats|exif/io/ exif/tiff/"
    "exif|exif/"
    # The sub-folders of album/ share the log, the photo table, the safe file writer and the
    # worker pool of the road, and never the road itself.
    "album/track|exif/ album/album_log.h album/album_log_texts.h album/photo_table.h"
    "album/previews|exif/ album/album_log.h album/album_log_texts.h album/photo_table.h album/new_file.h album/worker_pool.h"
    "album/places|exif/ album/album_log.h album/album_log_texts.h album/photo_table.h"
    "album/page|exif/ album/track/ album/places/ album/album_log.h album/album_log_texts.h album/photo_table.h album/new_file.h"
    "album|exif/ album/")

set(faults "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(LENGTH parts count)
  set(allowed "text/" "${folder}/")
  if(count GREATER 1)
    list(GET parts 1 more)
    string(REPLACE " " ";" more "${more}")
    list(APPEND allowed ${more})
  endif()
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" included "${line}")
      set(ok FALSE)
      foreach(prefix IN LISTS allowed)
        string(FIND "${included}" "${prefix}" at)
        if(at EQUAL 0)
          # A folder's own prefix allows its files, not those of its sub-folders.
          string(LENGTH "${prefix}" length)
          string(SUBSTRING "${included}" ${length} -1 rest)
          if(NOT prefix STREQUAL "${folder}/" OR NOT rest MATCHES "/")
            set(ok TRUE)
          endif()
        endif()
      endforeach()
      # Includes of a floor's own sub-folders are checked by the rule of the folder itself.
      if(NOT ok AND NOT folder MATCHES "/" AND included MATCHES "^${folder}/")
        set(ok TRUE)
      endif()
      if(NOT ok)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        list(APPEND faults "  ${shown} includes ${included}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" listed)
  message(FATAL_ERROR "Includes against the order of the folders:\n${listed}")
endif()
