#!/usr/bin/python3
"""Drives the game's page in headless chromium for the web build's end-to-end
tests, one command a line on standard input, one answer a line on standard
output ("ok JSON" or "error TEXT"). It serves a folder of the page on the
loopback address itself.

Usage: browser.py WIDTH HEIGHT [SCALE | xRATIO | window]
  the page's visible area, in pixels; with SCALE, a phone's: in CSS pixels,
  SCALE device pixels to each (DevTools' emulation), and touch for the pointer;
  with xRATIO, a browser window of WIDTH x HEIGHT on a laptop's screen of
  1920 x 1200 device pixels, RATIO to a CSS pixel, the browser's own (with
  an emulated ratio, its device-pixel boxes stay in the machine's pixels);
  with "window", a browser window of that size on the X display instead,
  which the tests type into with xdotool

Commands:
  serve FOLDER        serve FOLDER from now on (the page's files)
  prelude SCRIPT      run SCRIPT in each page opened from now on, before its own
                      scripts; an empty SCRIPT drops the preludes
  host [SETTING...]   how the server answers from now on, as hosts do (none:
                      each file as it is, with Cache-Control: no-store):
                        redirect  /index.html redirected to its folder's address
                        cached    Last-Modified and no Cache-Control
                        csp       a strict Content-Security-Policy on each answer
                        cut=PATH,...    those files broken off half way
                        stall=PATH,...  those files never answered
  open [PATH]         load the page (or PATH) afresh (the storage is kept, as on
                      a reload)
  framed              load a game portal's page afresh, from another port, with
                      the page in a frame; the commands after it act in the
                      frame, until the next open
  offline on|off      the network cut off, or back (DevTools' emulation)
  installable         why the browser would not install the page as an app
  away / back         open another tab, which takes the focus and hides the
                      page / close it and come back to the page
  down KEY / up KEY   press / let go of KEY (xdotool's names: Return, Up, KP_Home, r ...)
  metrics W H SCALE   the page's visible area, and the screen, now W x H CSS
                      pixels, SCALE device pixels to each (a turned phone, a zoom)
  click ID            click the element with that id
  point X Y           the mouse moved to the canvas's pixel (X, Y), from its top left
  tap X Y             a tap there (a touch on a phone, else a click)
  tap ID              a tap in the middle of the element with that id
  cancel X Y          a touch there that the browser cancels (touch only)
  uncapture X Y       a touch there whose capture the canvas loses before it is
                      let go there (touch only)
  shot FILE           save the game's picture as the page shows it (scaled) as a
                      PNG picture; answers the canvas's own size
  page FILE           save the whole page as a PNG picture
  js EXPRESSION       the value of a JavaScript expression on the page
  ax                  the page's accessibility tree as screen readers get it
                      (DevTools'): each node not left out, as
                      [ROLE, NAME, DESCRIPTION, FOCUSED]
  errors              the game's lines on standard error so far
  console             every line of the page's console so far
  cursor              how many pixels of the X display's pointer show (window)
  stored              the stored prefs.txt (IndexedDB), or null
  store TEXT          stores prefs.txt (\\n for line breaks), or removes it when TEXT is empty
  quit
"""
import base64
import ctypes
import ctypes.util
import http.server
import json
import sys
import tempfile
import threading
import time

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
    'Control_L': Keys.CONTROL,
    'KP_Home': Keys.NUMPAD7, 'KP_Up': Keys.NUMPAD8, 'KP_Prior': Keys.NUMPAD9,
    'KP_Left': Keys.NUMPAD4, 'KP_Begin': Keys.NUMPAD5, 'KP_Right': Keys.NUMPAD6,
    'KP_End': Keys.NUMPAD1, 'KP_Down': Keys.NUMPAD2, 'KP_Next': Keys.NUMPAD3,
}

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


# Where the middle of the canvas's pixel (x, y) shows on the page, in CSS
# pixels: the page shows the canvas's picture in its box scaled to fit with its
# shape kept, and centred.
CANVAS_POINT_SCRIPT = '''
const [x, y] = arguments;
const canvas = document.getElementById('kelmot-window');
const box = canvas.getBoundingClientRect();
const scale = Math.min(box.width / canvas.width, box.height / canvas.height);
return [box.left + (box.width - canvas.width * scale) / 2 + (x + 0.5) * scale,
        box.top + (box.height - canvas.height * scale) / 2 + (y + 0.5) * scale];
'''

# The canvas's picture as the page shows it: its box in CSS pixels, and the
# canvas's own size.
PICTURE_SCRIPT = '''
const canvas = document.getElementById('kelmot-window');
const box = canvas.getBoundingClientRect();
const scale = Math.min(box.width / canvas.width, box.height / canvas.height);
return [box.left + (box.width - canvas.width * scale) / 2,
        box.top + (box.height - canvas.height * scale) / 2,
        canvas.width * scale, canvas.height * scale, canvas.width, canvas.height];
'''

ELEMENT_POINT_SCRIPT = '''
const box = document.getElementById(arguments[0]).getBoundingClientRect();
return [box.left + box.width / 2, box.top + box.height / 2];
'''


# The policy a portal or a school may set.
STRICT_POLICY = ("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
                 "style-src 'self' 'unsafe-inline'; img-src 'self' blob: data:")


class Quiet(http.server.SimpleHTTPRequestHandler):
    """The page's folder, answered as the server's host settings say; /blank.html
    is an empty page of the same origin, where the store is reached without
    starting the game."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        host = getattr(self.server, 'host', {})
        path = self.path.partition('?')[0]
        if path in host.get('stall', ()):
            time.sleep(120)
            return
        if 'redirect' in host and path.endswith('/index.html'):
            self.send_response(301)
            self.send_header('Location', path[:-len('index.html')])
            self.send_header('Content-Length', '0')
            self.end_headers()
            return
        if path in host.get('cut', ()):
            with open(self.translate_path(path), 'rb') as whole:
                body = whole.read()
            self.send_response(200)
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
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
        host = getattr(self.server, 'host', {})
        if 'cached' not in host:
            self.send_header('Cache-Control', 'no-store')
        if 'csp' in host:
            self.send_header('Content-Security-Policy', STRICT_POLICY)
        super().end_headers()


class Portal(Quiet):
    """A game portal's page on another port: the game's page in a frame that
    may go full screen, below and beside the portal's own content."""

    def do_GET(self):
        body = ('<!DOCTYPE html><title>portal</title><body style="margin:0">'
                '<p style="height:60px; margin:0">A portal</p><iframe id="game" src="%s"'
                ' allow="fullscreen; gamepad; screen-wake-lock" width="1024" height="768" style="margin-left:100px">'
                '</iframe>' % self.server.game).encode()
        self.send_response(200)
        self.send_header('Content-Type', 'text/html')
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Server:
    def __init__(self, handler_class=Quiet):
        self.folder = '.'
        handler = lambda *a, **k: handler_class(*a, directory=self.folder, **k)
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        self.address = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]


def start_browser(width, height, scale=None, window=False, ratio=None):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ['--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                     '--no-sandbox', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--no-first-run',
                     '--user-data-dir=' + tempfile.mkdtemp(prefix='kelmot-chromium-'),
                     '--window-size=%d,%d' % (width, height)]:
        options.add_argument(argument)
    if ratio:
        # A laptop's screen of 1920 x 1200 device pixels.
        options.add_argument('--screen-info={1920x1200 devicePixelRatio=%g}' % ratio)
    if window:
        options.add_argument('--window-position=0,0')
    else:
        options.add_argument('--headless=new')
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    if not window and not ratio:
        # The page's visible area exactly, one pixel a device pixel, as a screen
        # of that size would show it; or a phone's, with touch. (At a ratio of
        # the browser's own, the window's size, whose CSS pixels may be
        # fractional, as on such screens.)
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': scale or 1,
            'mobile': bool(scale), 'screenWidth': width, 'screenHeight': height})
    if scale:
        driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
    return driver


def tap(driver, touch, x, y):
    if touch:
        driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                               {'type': 'touchStart', 'touchPoints': [{'x': x, 'y': y}]})
        driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})
        return
    for kind in ('mousePressed', 'mouseReleased'):
        driver.execute_cdp_cmd('Input.dispatchMouseEvent',
                               {'type': kind, 'x': x, 'y': y, 'button': 'left', 'clickCount': 1})


class CursorImage(ctypes.Structure):
    """The head of XFixes' cursor image, up to its ARGB pixels."""
    _fields_ = [('x', ctypes.c_short), ('y', ctypes.c_short), ('width', ctypes.c_ushort),
                ('height', ctypes.c_ushort), ('xhot', ctypes.c_ushort), ('yhot', ctypes.c_ushort),
                ('serial', ctypes.c_ulong), ('pixels', ctypes.POINTER(ctypes.c_ulong))]


def shown_pointer_pixels():
    """How many pixels of the X display's pointer, as it is drawn now, are not
    fully transparent."""
    x11 = ctypes.CDLL(ctypes.util.find_library('X11'))
    xfixes = ctypes.CDLL(ctypes.util.find_library('Xfixes'))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    image = xfixes.XFixesGetCursorImage(x11.XOpenDisplay(None)).contents
    return sum(1 for i in range(image.width * image.height) if image.pixels[i] >> 24)


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
    window = sys.argv[3:] == ['window']
    ratio = float(sys.argv[3][1:]) if sys.argv[3:4] and sys.argv[3].startswith('x') else None
    scale = float(sys.argv[3]) if len(sys.argv) > 3 and not window and not ratio else None
    driver = start_browser(int(sys.argv[1]), int(sys.argv[2]), scale, window, ratio)
    errors = []
    console = []
    preludes = []
    game_tab = None
    # Where the game's page lies on the browser's page, in CSS pixels: inside
    # the portal's frame, the frame's place.
    offset = [0, 0]
    portal = None

    def collect():
        for entry in driver.get_log('browser'):
            console.append(entry['message'])
            text = console_text(entry['message'])
            # emscripten writes standard error as console warnings, from
            # kelmot.js (so named by the page, which runs it once expanded).
            game = 'kelmot.js' in entry['message']
            if entry['level'] == 'WARNING' and text is not None and game:
                errors.extend(text.split('\n'))

    def store(text=None):
        if portal is None and not driver.current_url.startswith(server.address):
            driver.get(server.address + 'blank.html')
        return driver.execute_async_script(STORE_SCRIPT, '/kelmot/prefs.txt', text)

    try:
        for line in sys.stdin:
            command, _, argument = line.rstrip('\n').partition(' ')
            try:
                if command == 'serve':
                    server.folder = argument
                    answer = server.address
                elif command == 'host':
                    server.httpd.host = {}
                    for setting in argument.split():
                        name, _, paths = setting.partition('=')
                        server.httpd.host[name] = paths.split(',')
                    answer = argument
                elif command == 'prelude':
                    if argument:
                        preludes.append(driver.execute_cdp_cmd(
                            'Page.addScriptToEvaluateOnNewDocument', {'source': argument}))
                    while not argument and preludes:
                        driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument',
                                               preludes.pop())
                    answer = argument
                elif command in ('open', 'framed'):
                    collect()
                    errors.clear()
                    console.clear()
                    driver.switch_to.default_content()
                    offset = [0, 0]
                    if command == 'open':
                        portal = None
                        driver.get(server.address + (argument.lstrip('/') if argument else 'index.html'))
                    else:
                        if portal is None:
                            portal = Server(Portal)
                            portal.httpd.game = server.address + 'index.html'
                        driver.get(portal.address)
                        frame = driver.find_element(By.ID, 'game')
                        offset = driver.execute_script('const box = arguments[0].getBoundingClientRect(); return [box.left + arguments[0].clientLeft, box.top + arguments[0].clientTop];', frame)
                        driver.switch_to.frame(frame)
                    answer = driver.current_url
                elif command == 'away':
                    game_tab = driver.current_window_handle
                    driver.switch_to.new_window('tab')
                    answer = driver.current_window_handle
                elif command == 'back':
                    driver.close()
                    driver.switch_to.window(game_tab)
                    answer = game_tab
                elif command in ('down', 'up'):
                    key = KEYS.get(argument, argument)
                    actions = ActionChains(driver)
                    (actions.key_down if command == 'down' else actions.key_up)(key).perform()
                    answer = argument
                elif command == 'offline':
                    driver.execute_cdp_cmd('Network.enable', {})
                    driver.execute_cdp_cmd('Network.emulateNetworkConditions', {
                        'offline': argument == 'on', 'latency': 0, 'downloadThroughput': -1,
                        'uploadThroughput': -1})
                    answer = argument
                elif command == 'installable':
                    answer = driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
                elif command == 'metrics':
                    width, height, ratio = argument.split()
                    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                        'width': int(width), 'height': int(height),
                        'deviceScaleFactor': float(ratio), 'mobile': bool(scale),
                        'screenWidth': int(width), 'screenHeight': int(height)})
                    answer = argument
                elif command == 'click':
                    driver.find_element(By.ID, argument).click()
                    answer = argument
                elif command == 'point':
                    x, y = driver.execute_script(CANVAS_POINT_SCRIPT, *map(int, argument.split()))
                    x, y = x + offset[0], y + offset[1]
                    driver.execute_cdp_cmd('Input.dispatchMouseEvent', {'type': 'mouseMoved', 'x': x, 'y': y})
                    answer = [x, y]
                elif command == 'tap':
                    place = argument.split()
                    if len(place) == 2:
                        x, y = driver.execute_script(CANVAS_POINT_SCRIPT, *map(int, place))
                    else:
                        x, y = driver.execute_script(ELEMENT_POINT_SCRIPT, argument)
                    x, y = x + offset[0], y + offset[1]
                    tap(driver, bool(scale), x, y)
                    answer = [x, y]
                elif command in ('cancel', 'uncapture'):
                    # A touch that the browser takes back for itself, or whose
                    # capture the page loses before it is let go over the canvas.
                    x, y = driver.execute_script(CANVAS_POINT_SCRIPT, *map(int, argument.split()))
                    x, y = x + offset[0], y + offset[1]
                    driver.execute_script(
                        "document.getElementById('kelmot-window').addEventListener('pointerdown',"
                        " (e) => { window.kelmotTestPointer = e.pointerId; }, {once: true})")
                    driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                                           {'type': 'touchStart', 'touchPoints': [{'x': x, 'y': y}]})
                    if command == 'cancel':
                        driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchCancel', 'touchPoints': []})
                    else:
                        # Taken once the pointer moves, and let go of then.
                        driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                                               {'type': 'touchMove', 'touchPoints': [{'x': x + 1, 'y': y}]})
                        driver.execute_script("document.getElementById('kelmot-window')"
                                              ".releasePointerCapture(window.kelmotTestPointer)")
                        driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})
                    answer = [x, y]
                elif command == 'shot':
                    x, y, width, height, *answer = driver.execute_script(PICTURE_SCRIPT)
                    shot = driver.execute_cdp_cmd('Page.captureScreenshot', {'clip': {
                        'x': x + offset[0], 'y': y + offset[1], 'width': width, 'height': height,
                        'scale': 1}})
                    with open(argument, 'wb') as picture:
                        picture.write(base64.b64decode(shot['data']))
                elif command == 'page':
                    answer = driver.save_screenshot(argument)
                elif command == 'js':
                    answer = driver.execute_script('return ' + argument)
                elif command == 'ax':
                    value = lambda node, key: node.get(key, {}).get('value', '')
                    answer = [[value(node, 'role'), value(node, 'name'), value(node, 'description'),
                               any(p['name'] == 'focused' and p['value'].get('value')
                                   for p in node.get('properties', []))]
                              for node in driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
                              if not node.get('ignored')]
                elif command == 'errors':
                    collect()
                    answer = errors
                elif command == 'console':
                    collect()
                    answer = console
                elif command == 'cursor':
                    answer = shown_pointer_pixels()
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
        if portal is not None:
            portal.httpd.shutdown()


if __name__ == '__main__':
    main()
