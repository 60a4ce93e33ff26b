#pragma once
// The places the album's photos were taken at, for the page (album/places/place_index.h).
#include <span>

#include "album/album_log.h"
#include "album/photo_table.h"
#include "album/places/place_index.h"
#include "text/text_types.h"

// [["Bled","Slovenia"],["Lesce","Slovenia"]],[0,0,null,1] : the places the rows are named after,
// each once as its name and its country's, in the order of their first row; then per row the
// number of its place in that list, null for a row with none (at sea, a position that is no
// number). Empty when no row has a place.
AnsiText build_place_lists(std::span<const PhotoRow> rows, const PlaceIndex& places);

// The same from the place data file at `places_file`. When that cannot be read, logs one line
// that says why and gives an empty text: the page goes without place names.
AnsiText read_place_lists(std::span<const PhotoRow> rows, const AnsiText& places_file,
                          AlbumLog& log);
