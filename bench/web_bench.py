#!/usr/bin/python3
"""The browser's figures for make bench, in headless chromium: the time from
the page's load to its first presented frame beside a bare page that only
clears a WebGL canvas (bare_webgl.html), the frame time of the main menu and of
a game against the computer beside the bare page's empty frame, and what a
player downloads.

Usage: web_bench.py WEB_BUILD_FOLDER

A script put into every page before its own (the probe below) times the frames:
each animation-frame callback from its start to the next request of a frame,
which is when the game has drawn and waits to be shown, with a gl.finish()
there so that the drawing itself is done; the first frame is presented at the
first animation frame after the first clear.
"""
import gzip
import importlib.util
import os
import shutil
import statistics
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
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


def main():
    build = sys.argv[1]
    folder = tempfile.mkdtemp(prefix='kelmot-web-bench-')
    page_files = ['index.html', 'page.js', 'page.css', 'banner.bmp', 'kelmot.js', 'kelmot.wasm']
    for name in page_files:
        shutil.copy(os.path.join(build, name), folder)
    shutil.copytree(os.path.join(build, 'Data'), os.path.join(folder, 'Data'))
    shutil.copy(os.path.join(here, 'bare_webgl.html'), folder)

    server = browser.Server()
    server.folder = folder
    # The page of a 1024 x 768 screen: the game's window is 1024 x 712, as in
    # frame_bench's window.
    driver = browser.start_browser(1024, 768)
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': PROBE})
    try:
        driver.get(server.address + 'blank.html')
        driver.execute_async_script(browser.STORE_SCRIPT, '/kelmot/prefs.txt', PREFS)

        starts = {'game': [], 'bare': []}
        for _ in range(7):  # in turns, so that the machine's load falls on both alike
            for kind, name in (('game', 'index.html'), ('bare', 'bare_webgl.html')):
                driver.get(server.address + name)
                starts[kind].append(wait_for(driver, 'kelmotProbe.firstFrame'))
        print('Start-up, from the page\'s load to its first presented frame (median of 7):')
        for kind, label in (('game', 'the game\'s page'), ('bare', 'bare WebGL page')):
            print('  %-18s %7.1f ms' % (label, statistics.median(starts[kind])))

        driver.get(server.address + 'bare_webgl.html')
        wait_for(driver, 'kelmotProbe.firstFrame')
        empty = frames(driver, 200)
        driver.get(server.address + 'index.html')
        wait_for(driver, 'kelmotProbe.firstFrame')
        frames(driver, 30)  # the first frames draw the fonts' atlas and the programs
        menu = frames(driver, 200)
        browser.ActionChains(driver).key_down(browser.Keys.ENTER).perform()
        time.sleep(0.3)
        browser.ActionChains(driver).key_up(browser.Keys.ENTER).perform()
        frames(driver, 30)
        game = frames(driver, 200)
        print('Frame time, from the animation frame to the drawing done (median of 200):')
        print('  %-18s %7.2f ms' % ('empty (bare page)', empty))
        print('  %-18s %7.2f ms' % ('main menu', menu))
        print('  %-18s %7.2f ms' % ('game', game))
    finally:
        driver.quit()
        server.httpd.shutdown()

    print('Download: what the page fetches')
    total = packed = 0
    names = page_files + [os.path.join('Data', n) for n in sorted(os.listdir(os.path.join(folder, 'Data')))]
    for name in names:
        data = open(os.path.join(folder, name), 'rb').read()
        compressed = len(gzip.compress(data, 9))
        total += len(data)
        packed += compressed
        print('  %-22s %9d bytes, %9d gzipped' % (name, len(data), compressed))
    print('  %-22s %9d bytes, %9d gzipped' % ('all', total, packed))
    shutil.rmtree(folder)


if __name__ == '__main__':
    main()
