// Opens a published site in headless Chromium (Debian's, through
// playwright-core) and checks what a reader sees: a word named in the
// address is highlighted on its page, a double-click on a word opens the page
// at that word, and the links of the index pages reach their anchors.
//
//   node site_test.mjs --program build/default/textpair_01_002.exe [--artifacts DIR]
//   node site_test.mjs --site path/to/htm_out [--artifacts DIR]
//
// With --program a complete run makes the site first. Screenshots of the
// comparison page and of a highlighted page go to the artifacts folder.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { makeSite } from './make_site.mjs';
import { serveFolder, serverAddress } from './servers.mjs';

const CHROMIUM = '/usr/bin/chromium';
const CHROMIUM_FLAGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];
const INDEX_PAGES = ['i_1.htm', 's_1.htm', 'index.htm', 'files_list.htm'];

function parseArgs(argv) {
  const args = { artifacts: 'build/artifacts' };
  for (let i = 0; i < argv.length; i += 2) args[argv[i].replace(/^--/, '')] = argv[i + 1];
  return args;
}

let passed = 0;
let failed = 0;
async function check(name, body) {
  try {
    await body();
    passed += 1;
    console.log(`ok ${name}`);
  } catch (err) {
    failed += 1;
    console.log(`FAIL ${name}\n  ${String(err.stack || err).split('\n').join('\n  ')}`);
  }
}
function expect(condition, message) {
  if (!condition) throw new Error(message);
}

// Style of every span whose id is `id`, with its parent's font size.
function spanStyles(page, id) {
  return page.evaluate((wanted) => [...document.querySelectorAll('span')]
    .filter((s) => s.id === wanted)
    .map((s) => {
      const own = getComputedStyle(s);
      return {
        color: own.color,
        display: own.display,
        ratio: parseFloat(own.fontSize) / parseFloat(getComputedStyle(s.parentElement).fontSize),
      };
    }), id);
}

async function expectHighlighted(page, id) {
  const styles = await spanStyles(page, id);
  expect(styles.length >= 2, `expected the word span and its hidden block for ${id}, found ${styles.length}`);
  styles.forEach((s, i) => {
    expect(s.color === 'rgb(255, 0, 0)', `span ${i} of ${id} is ${s.color}, not red`);
    expect(Math.abs(s.ratio - 1.4) < 0.01, `span ${i} of ${id} is at ${(s.ratio * 100).toFixed(1)}%, not 140%`);
    expect(s.display !== 'none', `span ${i} of ${id} is not shown`);
  });
}

// The word id with the most word spans on the page.
async function busiestWordId(page) {
  return page.evaluate(() => {
    const counts = new Map();
    for (const s of document.querySelectorAll('span[ondblclick]')) counts.set(s.id, (counts.get(s.id) || 0) + 1);
    return [...counts.entries()].sort((a, b) => b[1] - a[1])[0]?.[0];
  });
}

// Ids (and anchor names) and the title of a served page, loaded once.
async function anchorsOf(context, base, file, cache) {
  if (!cache.has(file)) {
    const page = await context.newPage();
    const response = await page.goto(`${base}/${file}`);
    const found = response && response.ok()
      ? await page.evaluate(() => ({
        ids: [...document.querySelectorAll('[id],a[name]')].map((e) => e.id || e.name),
        title: document.title,
      }))
      : null;
    await page.close();
    cache.set(file, found && { ids: new Set(found.ids), title: found.title });
  }
  return cache.get(file);
}

async function main() {
  const args = parseArgs(process.argv.slice(2));
  let site = args.site;
  let work;
  if (!site) {
    expect(args.program, 'give --site or --program');
    work = await makeSite(path.resolve(args.program));
    site = path.join(work, 'htm_out');
    console.log(`site made by a complete run in ${site}`);
  }
  fs.mkdirSync(args.artifacts, { recursive: true });

  const server = await serveFolder(site);
  const base = serverAddress(server);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'textpair_chromium_'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM, headless: true, args: CHROMIUM_FLAGS, viewport: { width: 1280, height: 900 },
  });
  try {
    const page = await context.newPage();
    await page.goto(`${base}/page_01.htm`);
    const id = await busiestWordId(page);
    expect(id, 'page_01.htm has no word span');
    console.log(`word id ${id}`);

    await check('comparison page screenshot', async () => {
      const shot = await context.newPage();
      const response = await shot.goto(`${base}/compare.htm`);
      expect(response.ok(), `compare.htm: HTTP ${response.status()}`);
      await shot.screenshot({ path: path.join(args.artifacts, 'compare.png'), fullPage: true });
      await shot.close();
    });

    await check(`page_01.htm#${id} shows every span of the id in red at 140%`, async () => {
      const highlighted = await context.newPage();
      await highlighted.goto(`${base}/page_01.htm#${id}`);
      await expectHighlighted(highlighted, id);
      const other = await highlighted.evaluate((wanted) => {
        const s = [...document.querySelectorAll('span[ondblclick]')].find((e) => e.id !== wanted);
        return s && getComputedStyle(s).color;
      }, id);
      expect(other === undefined || other !== 'rgb(255, 0, 0)', 'a word of another id is red as well');
      await highlighted.screenshot({ path: path.join(args.artifacts, 'page_highlighted.png'), fullPage: true });
      await highlighted.close();
    });

    await check('a double-click on a word opens the page at that word', async () => {
      const word = page.locator(`span[ondblclick][id="${id}"]`).first();
      const [popup] = await Promise.all([context.waitForEvent('page'), word.dblclick()]);
      await popup.waitForLoadState();
      expect(popup.url() === `${base}/page_01.htm#${id}`, `opened ${popup.url()}`);
      await expectHighlighted(popup, id);
      await popup.close();
    });

    const cache = new Map();
    for (const file of INDEX_PAGES) {
      await check(`the links of ${file} reach their anchors`, async () => {
        const index = await context.newPage();
        const response = await index.goto(`${base}/${file}`);
        expect(response.ok(), `${file}: HTTP ${response.status()}`);
        const links = await index.evaluate(() => [...document.querySelectorAll('a[href]')]
          .map((a) => ({ href: a.getAttribute('href'), text: a.textContent })));
        const local = links.filter((l) => !/^[a-z]+:/i.test(l.href));
        expect(local.length > 0, `${file} has no link into the site`);
        const broken = [];
        const anchored = [];
        for (const { href, text } of local) {
          const [target, fragment] = href.split('#');
          const anchors = await anchorsOf(context, base, target || file, cache);
          if (!anchors) {
            broken.push(`${href} (no such page)`);
          } else if (fragment && !anchors.ids.has(fragment)) {
            // A word of a page's title cannot be marked up (a title holds
            // text only); its link opens the page at the top, at the title.
            const inTitle = text.trim() !== '' && anchors.title.includes(text.trim());
            if (!inTitle) broken.push(`${href} (no such anchor)`);
          } else if (fragment) {
            anchored.push(href);
          }
        }
        expect(broken.length === 0, `${broken.length} of ${local.length} links broken: ${broken.slice(0, 10).join(', ')}`);
        // Following one link lands on its anchor.
        const sample = anchored[0];
        if (sample) {
          await index.locator(`a[href="${sample}"]`).first().click();
          await index.waitForURL((u) => u.href.endsWith(sample.replace(/^[^#]*/, '')));
          const target = await index.evaluate(() => document.querySelector(':target')?.id);
          expect(target === sample.split('#')[1], `following ${sample} reached ${target}`);
        }
        await index.close();
      });
    }
  } finally {
    await context.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  // The work folder of a run stays for a look when something failed.
  if (work && failed === 0) fs.rmSync(work, { recursive: true, force: true });
  console.log(`browser: ${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

main().catch((err) => {
  console.error(err);
  console.log(`browser: ${passed} passed, ${failed + 1} failed`);
  process.exitCode = 1;
});
