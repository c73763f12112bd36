// Where text may be cut, for the browser build: user-perceived characters from the
// browser's Intl.Segmenter, line-wrap opportunities from the `linebreak` package.
import { LineBreaker } from "linebreak";

const characters = new Intl.Segmenter(undefined, { granularity: "grapheme" });

// The UTF-16 positions inside the text (not 0, not its end) where a break may fall.
function breaks(text, line) {
    const found = [];
    if (line) {
        const breaker = new LineBreaker(text);
        for (let next = breaker.nextBreak(); next; next = breaker.nextBreak())
            if (next.position > 0 && next.position < text.length) found.push(next.position);
    } else {
        for (const { index } of characters.segment(text)) if (index > 0) found.push(index);
    }
    return found;
}

globalThis.mevaraText = { breaks };
