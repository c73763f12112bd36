// The device's screen in a page: the canvas the toolkit draws on (with the pictures the
// browser decodes), the iframes that show pages over it, the page's events turned into
// the program's, and the scheduling of its turns. The C++ halves are toolkit/web/*.cpp.
var mevaraScreen = {
    canvas: null,
    ctx: null,
    // Under the iframes: what the screen showed where a page is, so that a page's clear
    // background shows the screen's picture while the canvas over it has a hole there
    // (and draws what lies over the page, an alert or a bar, on top of it).
    underlay: null,
    under: null,
    measurer: null,
    // Setting a context's font parses it, which costs more than most drawing: each context
    // is told only when its font changes.
    measuredFont: null,
    drawnFont: null,
    pointScale: 1,
    box: { left: 0, top: 0 },
    pictures: new Map(),
    byId: [null],
    placed: new Map(),
    raf: 0,
    timer: 0,
    active: true,
    finger: null,
    stats: { frames: 0, timers: 0, frameTimes: [] },

    // A context for measuring before anything is drawn; the same font machinery draws.
    measuring() {
        if (!this.measurer && typeof document !== "undefined")
            this.measurer = document.createElement("canvas").getContext("2d");
        return this.measurer;
    },

    measure(font, text) {
        const ctx = this.measuring();
        if (!ctx) return null;
        if (this.measuredFont !== font) {
            ctx.font = font;
            this.measuredFont = font;
        }
        return ctx.measureText(text);
    },

    attach() {
        if (this.canvas || typeof document === "undefined") return !!this.canvas;
        this.canvas = document.getElementById("screen");
        if (!this.canvas) {
            this.canvas = document.createElement("canvas");
            this.canvas.id = "screen";
            (document.getElementById("stage") || document.body).appendChild(this.canvas);
        }
        this.underlay = document.createElement("canvas");
        this.underlay.id = "screen-underlay";
        this.underlay.setAttribute("aria-hidden", "true");
        this.canvas.parentNode.insertBefore(this.underlay, this.canvas);
        for (const c of [this.canvas, this.underlay]) {
            c.style.position = "absolute";
            // One finger works the screen; two may still zoom the page.
            c.style.touchAction = "pinch-zoom";
        }
        this.underlay.style.zIndex = "0";
        this.canvas.style.zIndex = "2";
        this.ctx = this.canvas.getContext("2d");
        this.ctx.textBaseline = "alphabetic";
        this.under = this.underlay.getContext("2d");
        return true;
    },

    // Fits a screen of `width` x `height` points into the viewport, aspect kept and
    // centred; answers the canvas pixels per point.
    layout(width, height) {
        if (!this.attach()) return 1;
        const vw = window.innerWidth || width, vh = window.innerHeight || height;
        const scale = Math.min(vw / width, vh / height);
        const ratio = window.devicePixelRatio || 1;
        const cssWidth = width * scale, cssHeight = height * scale;
        const left = Math.round((vw - cssWidth) / 2), top = Math.round((vh - cssHeight) / 2);
        const pixelsWide = Math.max(1, Math.round(cssWidth * ratio));
        const pixelsHigh = Math.max(1, Math.round(cssHeight * ratio));
        for (const c of [this.canvas, this.underlay]) {
            if (c.width !== pixelsWide) c.width = pixelsWide;
            if (c.height !== pixelsHigh) c.height = pixelsHigh;
            c.style.left = left + "px";
            c.style.top = top + "px";
            c.style.width = cssWidth + "px";
            c.style.height = cssHeight + "px";
        }
        this.box = { left, top };
        this.pointScale = scale;
        this.placeMirror();
        this.ratio = pixelsWide / cssWidth;
        return pixelsWide / width;
    },

    viewportIsLandscape() {
        return typeof window !== "undefined" && window.innerWidth > window.innerHeight;
    },

    viewportWidth() {
        return typeof window === "undefined" ? 0 : Math.min(window.innerWidth, window.innerHeight);
    },

    setting(name) {
        if (typeof location === "undefined") return "";
        return new URLSearchParams(location.search).get(name) || "";
    },

    meta(name) {
        if (typeof document === "undefined") return "";
        const tag = document.querySelector("meta[name=\"" + name + "\"]");
        const content = tag ? tag.getAttribute("content") : "";
        return content ? new URL(content, document.baseURI).href : "";
    },

    // --- drawing -------------------------------------------------------------------------

    beginFrame() {
        const ctx = this.ctx;
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        ctx.globalAlpha = 1;
        ctx.globalCompositeOperation = "source-over";
        ctx.fillStyle = "#000";
        ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
        this.under.clearRect(0, 0, this.underlay.width, this.underlay.height);
        ctx.save();
        this.drawnFont = null;
        this.placed.clear();
    },

    endFrame() {
        this.ctx.restore();
        const stage = this.canvas.parentNode;
        for (const frame of stage.querySelectorAll("iframe.mevara-page")) {
            const place = this.placed.get(frame.id);
            if (!place) {
                frame.style.visibility = "hidden";
                continue;
            }
            this.placeFrame(frame, place);
        }
    },

    placeFrame(frame, p) {
        const toCss = 1 / this.ratio;
        const s = frame.style;
        s.visibility = "visible";
        s.left = this.box.left + p.x * toCss + "px";
        s.top = this.box.top + p.y * toCss + "px";
        s.width = p.w / p.scale + "px";
        s.height = p.h / p.scale + "px";
        s.transformOrigin = "0 0";
        s.transform = "scale(" + p.scale * toCss + ")";
        const inset = [p.cy - p.y, p.x + p.w - (p.cx + p.cw), p.y + p.h - (p.cy + p.ch), p.cx - p.x]
            .map((v) => Math.max(0, v / p.scale) + "px");
        s.clipPath = "inset(" + inset.join(" ") + ")";
        s.opacity = String(p.alpha);
    },

    clip(on, x, y, w, h) {
        const ctx = this.ctx;
        ctx.restore();
        ctx.save();
        this.drawnFont = null;
        if (on) {
            ctx.beginPath();
            ctx.rect(x, y, w, h);
            ctx.clip();
        }
    },

    colour(r, g, b) {
        return "rgb(" + r + "," + g + "," + b + ")";
    },

    fillRect(x, y, w, h, r, g, b, alpha) {
        const ctx = this.ctx;
        ctx.globalAlpha = alpha;
        ctx.fillStyle = this.colour(r, g, b);
        ctx.fillRect(x, y, w, h);
    },

    fillRoundedRect(x, y, w, h, rx, ry, r, g, b, alpha) {
        const ctx = this.ctx;
        ctx.globalAlpha = alpha;
        ctx.fillStyle = this.colour(r, g, b);
        ctx.beginPath();
        ctx.ellipse(x + rx, y + ry, rx, ry, 0, Math.PI, 1.5 * Math.PI);
        ctx.ellipse(x + w - rx, y + ry, rx, ry, 0, 1.5 * Math.PI, 2 * Math.PI);
        ctx.ellipse(x + w - rx, y + h - ry, rx, ry, 0, 0, 0.5 * Math.PI);
        ctx.ellipse(x + rx, y + h - ry, rx, ry, 0, 0.5 * Math.PI, Math.PI);
        ctx.closePath();
        ctx.fill();
    },

    text(text, font, x, baseline, widthScale, r, g, b, alpha) {
        const ctx = this.ctx;
        ctx.globalAlpha = alpha;
        ctx.fillStyle = this.colour(r, g, b);
        if (this.drawnFont !== font) {
            ctx.font = font;
            this.drawnFont = font;
        }
        if (widthScale === 1) {
            ctx.fillText(text, x, baseline);
            return;
        }
        ctx.setTransform(widthScale, 0, 0, 1, x, baseline);
        ctx.fillText(text, 0, 0);
        ctx.setTransform(1, 0, 0, 1, 0, 0);
    },

    // A picture from the program's files, decoded by the browser: its number once it can
    // be drawn, 0 while it decodes (a frame follows when it is ready) or when it cannot.
    picture(path, ahead) {
        let entry = this.pictures.get(path);
        if (!entry) {
            entry = { id: 0, bitmap: null, shaded: new Map(), wanted: false };
            this.pictures.set(path, entry);
            let bytes = null;
            try {
                bytes = FS.readFile(path);
            } catch (e) {
                return 0;
            }
            createImageBitmap(new Blob([bytes], { type: "image/png" })).then((bitmap) => {
                entry.bitmap = bitmap;
                entry.id = this.byId.length;
                this.byId.push(entry);
                if (entry.wanted && this.onPicture) this.onPicture();
            }, () => {});
        }
        if (!ahead) entry.wanted = true;
        return entry.id;
    },

    // Decodes the pictures the screens may show while the page is idle, so that a screen
    // coming in does not wait for them (and its first frames do not copy them).
    decodeAhead(sharp) {
        let names = [];
        try {
            names = FS.readdir("/resources/images").filter((n) => n.endsWith(".png"));
        } catch (e) {
            return;
        }
        const want = new Set(names.filter((n) => n.includes("@2x") === sharp));
        // A picture without the wanted size is drawn at the other.
        for (const n of names)
            if (!n.includes("@2x") && sharp && !names.includes(n.replace(".png", "@2x.png")))
                want.add(n);
        const queue = [...want];
        const idle = globalThis.requestIdleCallback || ((step) => setTimeout(step, 50));
        const step = () => {
            for (let i = 0; i < 4 && queue.length; ++i)
                this.picture("/resources/images/" + queue.shift(), true);
            if (queue.length) idle(step);
        };
        idle(step);
    },

    pictureSize(id, which) {
        const entry = this.byId[id];
        return entry ? (which === 0 ? entry.bitmap.width : entry.bitmap.height) : 0;
    },

    // The picture darkened, as a pressed button shows it, made once per shade.
    shaded(entry, brightness) {
        const key = Math.round(brightness * 100);
        let shade = entry.shaded.get(key);
        if (!shade) {
            shade = document.createElement("canvas");
            shade.width = entry.bitmap.width;
            shade.height = entry.bitmap.height;
            const c = shade.getContext("2d");
            c.drawImage(entry.bitmap, 0, 0);
            c.globalCompositeOperation = "source-atop";
            c.fillStyle = "rgba(0,0,0," + (1 - key / 100) + ")";
            c.fillRect(0, 0, shade.width, shade.height);
            entry.shaded.set(key, shade);
        }
        return shade;
    },

    // Nine slices: `axes` holds the columns' source and destination edges, then the rows'.
    drawPicture(id, axes, flipX, flipY, alpha, brightness) {
        const entry = this.byId[id];
        if (!entry) return;
        const source = brightness < 0.995 ? this.shaded(entry, brightness) : entry.bitmap;
        const ctx = this.ctx;
        ctx.globalAlpha = alpha;
        const wholeX = axes[4], wholeW = axes[7] - axes[4];
        const wholeY = axes[12], wholeH = axes[15] - axes[12];
        for (let j = 0; j < 3; ++j) {
            for (let i = 0; i < 3; ++i) {
                const sx = axes[i], sw = axes[i + 1] - sx;
                const sy = axes[8 + j], sh = axes[9 + j] - sy;
                let dx = axes[4 + i];
                const dw = axes[5 + i] - dx;
                let dy = axes[12 + j];
                const dh = axes[13 + j] - dy;
                if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
                // Filtering a stretched sliver would blend in its neighbours.
                ctx.imageSmoothingEnabled = !((sw <= 2 && dw > sw) || (sh <= 2 && dh > sh));
                if (!flipX && !flipY) {
                    ctx.drawImage(source, sx, sy, sw, sh, dx, dy, dw, dh);
                    continue;
                }
                if (flipX) dx = 2 * wholeX + wholeW - dx - dw;
                if (flipY) dy = 2 * wholeY + wholeH - dy - dh;
                ctx.setTransform(flipX ? -1 : 1, 0, 0, flipY ? -1 : 1, flipX ? dx + dw : dx,
                                 flipY ? dy + dh : dy);
                ctx.drawImage(source, sx, sy, sw, sh, 0, 0, dw, dh);
                ctx.setTransform(1, 0, 0, 1, 0, 0);
            }
        }
        ctx.imageSmoothingEnabled = true;
    },

    // Where a page's iframe goes this frame: the view's rectangle and its clip in canvas
    // pixels, `scale` canvas pixels per page pixel.
    pageHole(id, x, y, w, h, cx, cy, cw, ch, scale, alpha) {
        // A page with nothing of it on the screen stays hidden.
        if (cw <= 0 || ch <= 0) return;
        const name = "mevara-page-" + id;
        this.placed.set(name, { x, y, w, h, cx, cy, cw, ch, scale, alpha });
        this.under.drawImage(this.canvas, cx, cy, cw, ch, cx, cy, cw, ch);
        this.ctx.clearRect(cx, cy, cw, ch);
    },

    // --- what a screen reader finds -------------------------------------------------------

    // The elements over the canvas, from the program's list: a first line with an alert's
    // title (or nothing), then one line an element: number, role, name, value, flags
    // (s selected, d not enabled, l announced when it changes) and its frame in points.
    mirror(text) {
        if (!this.attach()) return;
        let root = this.a11y;
        if (!root) {
            root = this.a11y = document.createElement("div");
            root.id = "mevara-a11y";
            const s = root.style;
            s.position = "absolute";
            s.zIndex = "4";
            s.pointerEvents = "none";
            s.color = "transparent";
            s.overflow = "hidden";
            this.canvas.parentNode.appendChild(root);
            root.addEventListener("click", (event) => {
                const node = event.target.closest("[data-id]");
                if (node && this.host) Module["_mevara_host_activate"](this.host, +node.dataset.id);
            });
            this.placeMirror();
        }
        const lines = text.split("\n");
        const alertTitle = lines[0];
        const rows = lines.slice(1).filter((line) => line.length > 0);
        const wasAlert = root.getAttribute("role") === "alertdialog";
        if (alertTitle) {
            root.setAttribute("role", "alertdialog");
            root.setAttribute("aria-modal", "true");
            root.setAttribute("aria-label", alertTitle);
        } else {
            for (const name of ["role", "aria-modal", "aria-label"]) root.removeAttribute(name);
        }
        const set = (node, name, value) => {
            if (value === null) {
                if (node.hasAttribute(name)) node.removeAttribute(name);
            } else if (node.getAttribute(name) !== value) {
                node.setAttribute(name, value);
            }
        };
        rows.forEach((row, i) => {
            const [id, role, label, value, flags, x, y, w, h] = row.split("\t");
            let node = root.children[i];
            if (!node || node.dataset.role !== role) {
                const made = document.createElement("div");
                made.dataset.role = role;
                if (role !== "text") made.setAttribute("role", role);
                if (role === "heading") made.setAttribute("aria-level", "2");
                made.style.position = "absolute";
                made.style.overflow = "hidden";
                if (node) root.replaceChild(made, node);
                else root.appendChild(made);
                node = made;
            }
            node.dataset.id = id;
            const named = role === "button" || role === "switch" || role === "img";
            set(node, "aria-label", named ? label + (value && role !== "switch" ? ", " + value : "") : null);
            if (!named && node.textContent !== label) node.textContent = label;
            if (named && node.textContent) node.textContent = "";
            set(node, "aria-pressed", role === "button" && flags.includes("s") ? "true" : null);
            set(node, "aria-checked", role === "switch" ? String(value === "on") : null);
            set(node, "aria-disabled", flags.includes("d") ? "true" : null);
            set(node, "aria-live", flags.includes("l") ? "polite" : null);
            const k = this.pointScale;
            const place = `left:${x * k}px;top:${y * k}px;width:${w * k}px;height:${h * k}px`;
            if (node.dataset.place !== place) {
                node.dataset.place = place;
                Object.assign(node.style, { left: x * k + "px", top: y * k + "px",
                                            width: w * k + "px", height: h * k + "px" });
            }
        });
        while (root.children.length > rows.length) root.lastChild.remove();
        const focus = (node) => {
            node.tabIndex = -1;
            node.focus({ preventScroll: true });
        };
        // An alert takes the reader at once, on its first button; a new screen, at its
        // heading.
        if (alertTitle && !wasAlert) {
            const first = root.querySelector("[role=button]");
            if (first) focus(first);
        }
        const heading = alertTitle ? null : root.querySelector("[role=heading]");
        if (heading && heading.textContent !== this.readHeading) {
            this.readHeading = heading.textContent;
            focus(heading);
        }
    },

    placeMirror() {
        if (!this.a11y) return;
        const s = this.a11y.style;
        s.left = this.canvas.style.left;
        s.top = this.canvas.style.top;
        s.width = this.canvas.style.width;
        s.height = this.canvas.style.height;
    },

    // --- turns of the program's loop -----------------------------------------------------

    // Asks for the next turn: at the next animation frame, else after `delay` ms (none
    // when negative), so an idle page runs nothing.
    schedule(host, frame, delay) {
        if (this.timer) {
            clearTimeout(this.timer);
            this.timer = 0;
        }
        const hidden = typeof document !== "undefined" && document.hidden;
        if (frame && !hidden) {
            if (!this.raf)
                this.raf = requestAnimationFrame(() => {
                    this.raf = 0;
                    ++this.stats.frames;
                    Module["_mevara_host_turn"](host, 1);
                });
            return;
        }
        // Hidden pages get no animation frames; their delayed calls still run.
        if (frame) delay = delay < 0 ? 100 : Math.min(delay, 100);
        if (delay < 0) return;
        this.timer = setTimeout(() => {
            this.timer = 0;
            ++this.stats.timers;
            Module["_mevara_host_turn"](host, 0);
        }, Math.min(delay, 2147483647));
    },

    // The page's events, once.
    listen(host) {
        this.host = host;
        const turnTo = (event) => (event.persisted || !document.hidden) &&
            Module["_mevara_host_lifecycle"](host, 1);
        const canvas = this.canvas;
        const toPoints = (event) => {
            const box = canvas.getBoundingClientRect();
            return [(event.clientX - box.left) / this.pointScale,
                    (event.clientY - box.top) / this.pointScale];
        };
        // One finger at a time, as the screens expect.
        const touch = (phase) => (event) => {
            if (phase === 0) {
                if (this.finger !== null || event.button > 0) return;
                this.finger = event.pointerId;
                canvas.setPointerCapture(event.pointerId);
            } else if (event.pointerId !== this.finger) {
                return;
            }
            if (phase >= 2) this.finger = null;
            event.preventDefault();
            const [x, y] = toPoints(event);
            Module["_mevara_host_touch"](host, phase, x, y);
        };
        canvas.addEventListener("pointerdown", touch(0));
        canvas.addEventListener("pointermove", touch(1));
        canvas.addEventListener("pointerup", touch(2));
        canvas.addEventListener("pointercancel", touch(3));
        canvas.addEventListener("contextmenu", (event) => event.preventDefault());
        window.addEventListener("resize", () => Module["_mevara_host_resize"](host));
        document.addEventListener("visibilitychange", () => {
            if (document.hidden) Module["_mevara_host_lifecycle"](host, 0);
            else turnTo({ persisted: false });
        });
        window.addEventListener("pagehide", () => {
            Module["_mevara_host_lifecycle"](host, 0);
            if (Module["mevaraFlushFiles"]) Module["mevaraFlushFiles"]();
        });
        window.addEventListener("pageshow", turnTo);
        // Tab, Shift+Tab, Enter, Space, the arrows and Escape work the screen: numbered as
        // the program's keys (toolkit/Key.h).
        const keys = { Tab: 0, Enter: 2, " ": 2, ArrowUp: 3, ArrowDown: 4, ArrowLeft: 5,
                       ArrowRight: 6, Escape: 7 };
        window.addEventListener("keydown", (event) => {
            if (event.ctrlKey || event.metaKey || event.altKey) return;
            let key = keys[event.key];
            if (key === undefined) return;
            if (key === 0 && event.shiftKey) key = 1;
            if (Module["_mevara_host_key"](host, key)) event.preventDefault();
        });
        this.onPicture = () => Module["_mevara_host_redraw"](host);
    },
};
Module["mevaraStats"] = mevaraScreen.stats;
