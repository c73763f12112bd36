// Everything the browser build takes from the npm registry, bundled into one script.
import "./plist-bridge.js";
import "./text-bridge.js";
