#!/usr/bin/python3
"""Drives the game's page in headless chromium for the web build's end-to-end
tests, one command a line on standard input, one answer a line on standard
output ("ok JSON" or "error TEXT"). It serves a folder of the page on the
loopback address itself.

Usage: browser.py WIDTH HEIGHT  (the page's visible area, in pixels)

Commands:
  serve FOLDER        serve FOLDER from now on (the page's files)
  open                load the page afresh (the storage is kept, as on a reload)
  down KEY / up KEY   press / let go of KEY (xdotool's names: Return, Up, KP_Home, r ...),
                      or padN:BUTTON, what scripted controller N holds (play_lib.sh)
  tap padN:BUTTON     scripted controller N holds BUTTON for the page's next look only
  plug N / unplug N   plug scripted controller N in / out
  click ID            click the element with that id
  shot FILE           save the game's canvas as a PNG picture
  page FILE           save the whole page as a PNG picture
  js EXPRESSION       the value of a JavaScript expression on the page
  errors              the game's lines on standard error so far
  stored              the stored prefs.txt (IndexedDB), or null
  store TEXT          stores prefs.txt (\\n for line breaks), or removes it when TEXT is empty
  quit
"""
import functools
import http.server
import json
import re
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

# xdotool's key names, as the shared end-to-end helpers type them. The keypad's
# navigation names stand for its digits: the helpers type them with Num Lock on.
KEYS = {
    'Return': Keys.ENTER, 'Escape': Keys.ESCAPE, 'Up': Keys.ARROW_UP, 'Down': Keys.ARROW_DOWN,
    'Left': Keys.ARROW_LEFT, 'Right': Keys.ARROW_RIGHT, 'Tab': Keys.TAB, 'space': Keys.SPACE,
    'KP_Home': Keys.NUMPAD7, 'KP_Up': Keys.NUMPAD8, 'KP_Prior': Keys.NUMPAD9,
    'KP_Left': Keys.NUMPAD4, 'KP_Begin': Keys.NUMPAD5, 'KP_Right': Keys.NUMPAD6,
    'KP_End': Keys.NUMPAD1, 'KP_Down': Keys.NUMPAD2, 'KP_Next': Keys.NUMPAD3,
}

# The scripted controllers: every page's navigator.getGamepads answers with
# them, in the standard layout, each holding one button or its left stick at
# stick=X,Y (hundredths of its travel, right and down positive), or tapping
# one: holding it for one call only.
GAMEPADS_SCRIPT = '''
(() => {
  const buttons = {a: 0, b: 1, x: 2, y: 3, back: 8, start: 9, up: 12, down: 13, left: 14, right: 15};
  const pads = [null, null, null, null];
  window.kelmotTestPads = {
    plug(n) { pads[n - 1] = {held: ''}; },
    unplug(n) { pads[n - 1] = null; },
    hold(n, held) { if (pads[n - 1]) pads[n - 1].held = held; },
    tap(n, held) { if (pads[n - 1]) pads[n - 1].tap = held; },
  };
  const shown = (pad, index) => {
    if (!pad) return null;
    const held = pad.tap !== undefined ? pad.tap : pad.held;
    pad.tap = undefined;
    const stick = /^stick=(-?\\d+),(-?\\d+)$/.exec(held) || [0, 0, 0];
    return {
      id: 'Kelmot test controller', index, connected: true, mapping: 'standard',
      timestamp: performance.now(), axes: [stick[1] / 100, stick[2] / 100, 0, 0],
      buttons: Array.from({length: 17}, (_, b) => {
        const pressed = buttons[held] === b;
        return {pressed, touched: pressed, value: pressed ? 1 : 0};
      }),
    };
  };
  Object.defineProperty(navigator, 'getGamepads', {value: () => pads.map(shown)});
})();
'''

# The store as emscripten's IndexedDB file system keeps it: a database named
# after the mount point, files under their paths.
STORE_SCRIPT = '''
const [path, text, done] = arguments;
const open = indexedDB.open('/kelmot', 21);
open.onupgradeneeded = () => {
  const store = open.result.createObjectStore('FILE_DATA');
  store.createIndex('timestamp', 'timestamp', {unique: false});
};
open.onerror = () => done('error ' + open.error);
open.onsuccess = () => {
  const db = open.result;
  const transaction = db.transaction(['FILE_DATA'], text === null ? 'readonly' : 'readwrite');
  const store = transaction.objectStore('FILE_DATA');
  if (text === null) {
    const get = store.get(path);
    get.onsuccess = () => { db.close(); done(get.result ? new TextDecoder().decode(get.result.contents) : null); };
  } else {
    if (text === '') store.delete(path);
    else store.put({timestamp: new Date(), mode: 33206, contents: new TextEncoder().encode(text)}, path);
    transaction.oncomplete = () => { db.close(); done('stored'); };
  }
};
'''


class Quiet(http.server.SimpleHTTPRequestHandler):
    """The page's folder; /blank.html is an empty page of the same origin,
    where the store is reached without starting the game."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path == '/blank.html':
            body = b'<!DOCTYPE html><title>blank</title>'
            self.send_response(200)
            self.send_header('Content-Type', 'text/html')
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        super().do_GET()

    def end_headers(self):
        self.send_header('Cache-Control', 'no-store')
        super().end_headers()


class Server:
    def __init__(self):
        self.folder = '.'
        handler = lambda *a, **k: Quiet(*a, directory=self.folder, **k)
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        self.address = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]


def start_browser(width, height):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                     '--no-sandbox', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--no-first-run',
                     '--user-data-dir=' + tempfile.mkdtemp(prefix='kelmot-chromium-'),
                     '--window-size=%d,%d' % (width, height)]:
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    # The page's visible area exactly, one pixel a device pixel, as a screen of
    # that size would show it.
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': GAMEPADS_SCRIPT})
    return driver


def console_text(message):
    """The text of a console line as chromedriver reports it:
    'URL LINE:COLUMN "text"' for the game's own lines."""
    quote = message.find(' "')
    if quote < 0:
        return None
    try:
        return json.loads(message[quote + 1:])
    except ValueError:
        return None


def main():
    server = Server()
    driver = start_browser(int(sys.argv[1]), int(sys.argv[2]))
    errors = []

    def collect():
        for entry in driver.get_log('browser'):
            text = console_text(entry['message'])
            # emscripten writes standard error as console warnings.
            if entry['level'] == 'WARNING' and text is not None and 'kelmot.js' in entry['message']:
                errors.extend(text.split('\n'))

    def store(text=None):
        if not driver.current_url.startswith(server.address):
            driver.get(server.address + 'blank.html')
        return driver.execute_async_script(STORE_SCRIPT, '/kelmot/prefs.txt', text)

    try:
        for line in sys.stdin:
            command, _, argument = line.rstrip('\n').partition(' ')
            try:
                if command == 'serve':
                    server.folder = argument
                    answer = server.address
                elif command == 'open':
                    collect()
                    errors.clear()
                    driver.get(server.address + 'index.html')
                    answer = driver.current_url
                elif command in ('down', 'up', 'tap') and re.match(r'pad\d:', argument):
                    pad, _, held = argument.partition(':')
                    driver.execute_script('kelmotTestPads[arguments[0]](arguments[1], arguments[2])',
                                          'tap' if command == 'tap' else 'hold', int(pad[3:]),
                                          '' if command == 'up' else held)
                    answer = argument
                elif command in ('plug', 'unplug'):
                    driver.execute_script('kelmotTestPads[arguments[0]](arguments[1])', command,
                                          int(argument))
                    answer = argument
                elif command in ('down', 'up'):
                    key = KEYS.get(argument, argument)
                    actions = ActionChains(driver)
                    (actions.key_down if command == 'down' else actions.key_up)(key).perform()
                    answer = argument
                elif command == 'click':
                    driver.find_element(By.ID, argument).click()
                    answer = argument
                elif command == 'shot':
                    answer = driver.find_element(By.ID, 'kelmot-window').screenshot(argument)
                elif command == 'page':
                    answer = driver.save_screenshot(argument)
                elif command == 'js':
                    answer = driver.execute_script('return ' + argument)
                elif command == 'errors':
                    collect()
                    answer = errors
                elif command == 'stored':
                    answer = store()
                elif command == 'store':
                    answer = store(argument.replace('\\n', '\n'))
                elif command == 'quit':
                    print('ok null', flush=True)
                    break
                else:
                    raise ValueError('no such command: ' + command)
                print('ok ' + json.dumps(answer), flush=True)
            except Exception as error:  # the test reads the reason
                print('error ' + (str(error).splitlines() or [type(error).__name__])[0], flush=True)
    finally:
        driver.quit()
        server.httpd.shutdown()


if __name__ == '__main__':
    main()
