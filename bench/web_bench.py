#!/usr/bin/python3
"""The browser's figures for make bench, in headless chromium: the time from
the page's load to its first presented frame beside a bare page that only
clears a WebGL canvas (bare_webgl.html), the frame time of the main menu and of
a game against the computer beside the bare page's empty frame, what a player
downloads, and Lighthouse's figures for a phone beside those of the page before
it was made for phones.

Usage: web_bench.py [--smoke] WEB_BUILD_FOLDER [LIGHTHOUSE]

--smoke loads each page once and times a few frames of each kind: a quick check
that the page and the bare page still start and draw, whose figures mean
nothing.

The page is the one released, kelmot-VERSION-web.zip, served as it is by a
plain static server that compresses nothing; for the start-up times without its
service worker, so that each load is a first visit's.

A script put into every page before its own (the probe below) times the frames:
each animation-frame callback from its start to the next request of a frame,
which is when the game has drawn and waits to be shown, with a gl.finish()
there so that the drawing itself is done; the first frame is presented at the
first animation frame after the first clear.
"""
import glob
import http.server
import importlib.util
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import zipfile

here = os.path.dirname(os.path.abspath(__file__))
# The tests' folder stays as it is in the tree.
sys.dont_write_bytecode = True
browserModule = importlib.util.spec_from_file_location(
    'browser', os.path.join(here, '..', 'tests', 'web', 'browser.py'))
browser = importlib.util.module_from_spec(browserModule)
browserModule.loader.exec_module(browser)

PROBE = '''
(() => {
  const probe = window.kelmotProbe = {firstClear: null, firstFrame: null, frames: []};
  let context = null, started = null;
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (...args) {
    const made = getContext.apply(this, args);
    if (made && args[0] == 'webgl' && !made.kelmotProbed) {
      made.kelmotProbed = true;
      context = made;
      const clear = made.clear;
      made.clear = function (...a) {
        if (probe.firstClear === null) probe.firstClear = performance.now();
        return clear.apply(this, a);
      };
    }
    return made;
  };
  const request = window.requestAnimationFrame;
  window.requestAnimationFrame = function (callback) {
    if (started !== null && context) {
      context.finish();
      probe.frames.push(performance.now() - started);
      started = null;
    }
    return request.call(window, (now) => {
      if (probe.firstClear !== null && probe.firstFrame === null) probe.firstFrame = performance.now();
      started = performance.now();
      callback(now);
    });
  };
})();
'''

PREFS = ('gofirst=1\nxoro=1\ncontrols=1\nwhofirst=0\nplayer1xoro=1\nplayer1controls=1\n'
         'player2controls=1\nconfigpanel=0\nres=1\nbpp=0\nfullscreen=0')


def wait_for(driver, expression, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        value = driver.execute_script('return ' + expression)
        if value:
            return value
        time.sleep(0.05)
    raise RuntimeError('timed out waiting for ' + expression)


def frames(driver, count):
    """The median of the next count frame times, in milliseconds."""
    driver.execute_script('kelmotProbe.frames = []')
    wait_for(driver, 'kelmotProbe.frames.length >= %d' % count, 120)
    return statistics.median(driver.execute_script('return kelmotProbe.frames')[:count])


# Lighthouse's mobile figures: (name, audit or category, how to show it, the
# page's figure before it was made for phones, the goal).
LIGHTHOUSE_FIGURES = [
    ('performance', 'performance', '%.2f', '0.75', '>= 0.95'),
    ('time to interactive', 'interactive', '%.1f s', '11.9 s', '<= 3.0 s'),
    ('largest contentful paint', 'largest-contentful-paint', '%.1f s', '11.9 s', ''),
    ('transferred', 'total-byte-weight', '%.0f KiB', '1998 KiB', ''),
    ('best practices', 'best-practices', '%.2f', '0.86', '1.00'),
    ('accessibility', 'accessibility', '%.2f', '1.00', '1.00'),
]


def lighthouse(command, folder):
    """Lighthouse's mobile run (its simulated slow 4G and 4x slower processor)
    on the page served as it is, on a first visit, printed beside the page's
    figures before and the goal."""
    class Plain(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = lambda *a, **k: Plain(*a, directory=folder, **k)
    httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    report = os.path.join(tempfile.mkdtemp(prefix='kelmot-lighthouse-'), 'report.json')
    try:
        subprocess.run([command, 'http://127.0.0.1:%d/index.html' % httpd.server_address[1],
                        '--quiet', '--output=json', '--output-path=' + report,
                        '--only-categories=performance,accessibility,best-practices',
                        '--chrome-flags=--headless=new --no-sandbox --use-angle=swiftshader'
                        ' --enable-unsafe-swiftshader'],
                       env=dict(os.environ, CHROME_PATH='/usr/bin/chromium'), check=True)
    finally:
        httpd.shutdown()
    result = json.load(open(report))
    shutil.rmtree(os.path.dirname(report))
    print('Lighthouse, mobile (%s), on a static server that compresses nothing:'
          % result['lighthouseVersion'])
    print('  %-26s %10s %10s %10s' % ('', 'now', 'before', 'goal'))
    for name, key, form, before, goal in LIGHTHOUSE_FIGURES:
        if key in result['categories']:
            value = result['categories'][key]['score']
        else:
            value = result['audits'][key]['numericValue']
            value = value / 1000 if form.endswith(' s') else value / 1024
        print('  %-26s %10s %10s %10s' % (name, form % value, before, goal))


def main():
    arguments = sys.argv[1:]
    smoke = arguments[:1] == ['--smoke']
    if smoke:
        arguments = arguments[1:]
    if not 1 <= len(arguments) <= 2:
        sys.exit('usage: web_bench.py [--smoke] WEB_BUILD_FOLDER [LIGHTHOUSE]')
    build = arguments[0]
    # How many loads of each page, frames timed and frames let go first.
    starts_count, frame_count, warm_up = (1, 5, 2) if smoke else (7, 200, 30)
    folder = tempfile.mkdtemp(prefix='kelmot-web-bench-')
    # This version's, not an older one a build folder may still hold.
    version = open(os.path.join(here, '..', 'VERSION')).read().strip()
    with zipfile.ZipFile(os.path.join(build, 'kelmot-%s-web.zip' % version)) as archive:
        archive.extractall(folder)
    released = os.path.join(folder, 'kelmot-%s-web' % version)
    if len(arguments) > 1:
        lighthouse(arguments[1], released)
    page = os.path.join(folder, 'page')
    shutil.copytree(released, page, ignore=shutil.ignore_patterns('sw.js'))
    shutil.copy(os.path.join(here, 'bare_webgl.html'), page)

    server = browser.Server()
    server.folder = page
    # The page of a 1024 x 768 screen: the game's window is 1024 x 712, as in
    # frame_bench's window.
    driver = browser.start_browser(1024, 768)
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': PROBE})
    try:
        driver.get(server.address + 'blank.html')
        driver.execute_async_script(browser.STORE_SCRIPT, '/kelmot/prefs.txt', PREFS)

        starts = {'game': [], 'bare': []}
        for _ in range(starts_count):  # in turns, so that the machine's load falls on both alike
            for kind, name in (('game', 'index.html'), ('bare', 'bare_webgl.html')):
                driver.get(server.address + name)
                starts[kind].append(wait_for(driver, 'kelmotProbe.firstFrame'))
        print('Start-up, from the page\'s load to its first presented frame (median of %d):'
              % starts_count)
        for kind, label in (('game', 'the game\'s page'), ('bare', 'bare WebGL page')):
            print('  %-18s %7.1f ms' % (label, statistics.median(starts[kind])))

        driver.get(server.address + 'bare_webgl.html')
        wait_for(driver, 'kelmotProbe.firstFrame')
        empty = frames(driver, frame_count)
        driver.get(server.address + 'index.html')
        wait_for(driver, 'kelmotProbe.firstFrame')
        frames(driver, warm_up)  # the first frames draw the fonts' atlas and the programs
        menu = frames(driver, frame_count)
        browser.ActionChains(driver).key_down(browser.Keys.ENTER).perform()
        time.sleep(0.3)
        browser.ActionChains(driver).key_up(browser.Keys.ENTER).perform()
        frames(driver, warm_up)
        game = frames(driver, frame_count)
        print('Frame time, from the animation frame to the drawing done (median of %d):'
              % frame_count)
        print('  %-18s %7.2f ms' % ('empty (bare page)', empty))
        print('  %-18s %7.2f ms' % ('main menu', menu))
        print('  %-18s %7.2f ms' % ('game', game))
    finally:
        driver.quit()
        server.httpd.shutdown()

    print('Download: what the first visit fetches (the service worker fetches the same again)')
    total = 0
    names = ['index.html', 'page.js', 'manifest.webmanifest', 'icons/kelmot-48.png',
             'kelmot.js', 'kelmot.wasm.gz', 'banner.png']
    names += sorted(glob.glob('Data/*.gz', root_dir=page))
    for name in names:
        size = os.path.getsize(os.path.join(page, name))
        total += size
        print('  %-22s %9d bytes' % (name, size))
    print('  %-22s %9d bytes' % ('all', total))
    shutil.rmtree(folder)


if __name__ == '__main__':
    main()
