// One Chromium shared by a test file's tests, and the temporary folders they make, removed when
// the file's tests are through.
import fs from 'node:fs';
import { after, before } from 'node:test';

import { launchChromium, tempDir } from './album_pages.mjs';

export function browserSession() {
  const session = {
    browser: null,
    folders: [],
    folder() {
      const dir = tempDir();
      session.folders.push(dir);
      return dir;
    },
  };
  before(async () => { session.browser = await launchChromium(); });
  after(async () => {
    await session.browser?.close();
    for (const dir of session.folders) fs.rmSync(dir, { recursive: true, force: true });
  });
  return session;
}
