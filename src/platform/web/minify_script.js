// Shrinks a script of the page for the network: node minify_script.js FROM TO.
// Names local to a function are shortened and dead code dropped; names at the
// top of the script (Module, the page's own object, what the game's code and
// the page call each other by) stay as they are, so the page and the game's
// code still find each other.
const fs = require('fs');
const {minify} = require('terser');

const [from, to] = process.argv.slice(2);
minify(fs.readFileSync(from, 'utf8'), {ecma: 2020, compress: {passes: 2}, mangle: true})
  .then((result) => fs.writeFileSync(to, result.code))
  .catch((error) => {
    console.error('minify_script.js: ' + from + ': ' + error.message);
    process.exit(1);
  });
