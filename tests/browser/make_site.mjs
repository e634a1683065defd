// Makes a published site the way a user does: the built program, renamed to
// a "www." name, runs in a fresh work folder on two texts in compare_in, with
// its answers typed on standard input and wget reaching the ads page through
// a local proxy. Returns the work folder; the site is in its htm_out.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { serveAds, serverAddress } from './servers.mjs';

const ADS_PAGE = [
  '<html><body>',
  '<p>First advertisement line</p>',
  '<p>Second advertisement line</p>',
  '</body></html>',
  '',
].join('\r\n');

// Two texts with repeated words, so that a word has several occurrences.
const LEFT = [
  'The river runs past the old mill and the river never stops.',
  'An old mill grinds the grain that the river brings.',
  'Millers know the river well.',
  '',
].join('\r\n');
const RIGHT = [
  'The road runs past the new mill and the road never ends.',
  'A new mill grinds the grain that the road brings.',
  'Drivers know the road well.',
  '',
].join('\r\n');

export async function makeSite(program, { timeoutMs = 120000 } = {}) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'textpair_browser_'));
  const exe = path.join(work, 'www.textpair-browser.example.exe');
  fs.copyFileSync(program, exe);
  fs.chmodSync(exe, 0o755);
  fs.mkdirSync(path.join(work, 'compare_in'));
  fs.writeFileSync(path.join(work, 'compare_in', 'river.txt'), LEFT);
  fs.writeFileSync(path.join(work, 'compare_in', 'road.txt'), RIGHT);

  const ads = await serveAds(ADS_PAGE);
  try {
    const proxy = serverAddress(ads);
    const wgetrc = path.join(work, 'empty.wgetrc');  // no user or system settings
    fs.writeFileSync(wgetrc, '');
    const env = {
      ...process.env, http_proxy: proxy, HTTP_PROXY: proxy, WGETRC: wgetrc, SYSTEM_WGETRC: wgetrc, LC_ALL: 'C',
    };
    delete env.no_proxy;
    delete env.NO_PROXY;
    // Three start-up keys, the two files, the table width (Enter: 100%),
    // the search site address, and a key at the results screen.
    const answers = '111' + '1\n' + '2\n' + '\n' + 'www.search-site.example\n' + 'x';
    const child = spawn(exe, [], { cwd: work, env, stdio: ['pipe', 'pipe', 'pipe'] });
    let output = '';
    child.stdout.on('data', (d) => { output += d; });
    child.stderr.on('data', (d) => { output += d; });
    child.stdin.end(answers);
    const status = await new Promise((resolve, reject) => {
      const timer = setTimeout(() => { child.kill('SIGKILL'); reject(new Error(`run did not end:\n${output}`)); },
        timeoutMs);
      child.on('exit', (code, signal) => { clearTimeout(timer); resolve(signal ?? code); });
    });
    fs.writeFileSync(path.join(work, 'console.txt'), output);
    if (status !== 0 || !output.includes('============ RESULTS ===========')) {
      throw new Error(`the run did not complete (status ${status}):\n${output}`);
    }
    return work;
  } finally {
    ads.close();
  }
}
