// Lists as the album page may find them, and how the page must read them: shared by the
// browser test of the page (page_lists.test.mjs) and the unit test of its readers
// (units/lists.test.mjs).

// A list as the page reads it: strict JSON, else the script array it also is, else nothing.
export function readLikeThePage(text) {
  try {
    return JSON.parse(text);
  } catch {
    try {
      return Function(`"use strict"; return ${text};`)();
    } catch {
      return null;
    }
  }
}

const NAMES = '"a.jpg","b.jpg","c.jpg"', DATES = '"2024:06:01 10:00:00","2024:06:02 10:00:00","2024:06:03 10:00:00"';
// [names, date-times] in forms the quick reader takes or leaves to JSON.parse (or the script array).
export const STRING_CASES = {
  'escapes': ['"a \\"quoted\\".jpg","b\\\\c\\/d.jpg","caf\\u00e9 \\u003c\\/script>\\t.jpg"',
    '"2024\\u003a06:01 10:00:00","2024:06:02\\u002010:00:00","2024:06:03 10:00:00"'],
  'letters beyond ASCII, and half a character': ['"Zürich 北京.jpg","\ud83d\ude00.jpg","\\ud83d\\ude00 \\udc00.jpg"', DATES],
  'spaces and line breaks': [' "a.jpg" ,\n"b.jpg"\r\n,\t"c.jpg" ', ' "2024:06:01 10:00:00"\n, "2024-06-02T10:00:00" ,"" '],
  'entries that are no string': ['"a.jpg",7,null', '"2024:06:01 10:00:00",null,20240603'],
  'a script array that is no JSON': ["'a.jpg',\"b.jpg\",\"c\td.jpg\",", `'2024:06:01 10:00:00',${DATES.split(',').slice(1)}`],
  'a shorter list of date-times': [NAMES, '"2024:06:01 10:00:00"'],
  'no list': ['"a.jpg","b.jpg', DATES],
};
