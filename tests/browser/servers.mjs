// Small HTTP servers on 127.0.0.1 for the browser test: one serves a folder
// of files, the other stands in for the web as wget's proxy and answers every
// request with the publisher's ads page.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

function listen(server) {
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => resolve(server));
  });
}

export function serverAddress(server) {
  return `http://127.0.0.1:${server.address().port}`;
}

// Serves the files of `folder` (no listing, nothing outside the folder).
export function serveFolder(folder) {
  const root = path.resolve(folder);
  return listen(http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://localhost').pathname).replace(/^\/+/, '');
    const file = path.resolve(root, name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end('not found');
      return;
    }
    res.writeHead(200, { 'Content-Type': /\.html?$/i.test(file) ? 'text/html' : 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  }));
}

// Answers every request, whatever its address, with the ads page.
export function serveAds(page) {
  const requests = [];
  const server = http.createServer((req, res) => {
    requests.push(req.url);
    res.writeHead(200, { 'Content-Type': 'text/html' });
    res.end(page);
  });
  server.requests = requests;
  return listen(server);
}
