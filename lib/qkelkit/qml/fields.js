.pragma library

// The configuration page an item sits on: the nearest ancestor that offers
// showError(); pieces report their error boxes and anchor their tooltips there.
function pageOf(item) {
    for (var p = item ? item.parent : null; p; p = p.parent) {
        if (typeof p.showError === "function")
            return p;
    }
    return null;
}

// The value of one property of a wrapper, or the fallback while there is none.
function read(target, name, fallback) {
    if (!target || !name)
        return fallback;
    var v = target[name];
    return v === undefined || v === null ? fallback : v;
}

// Stores one property of a wrapper; nothing while there is none.
function write(target, name, value) {
    if (target && name)
        target[name] = value;
}

// The entries of a combo box whose stored values are enumeration values:
// each entry is [text, value name], the name as the schema spells it, looked
// up in the QML type that declares the enumeration. A name the type does not
// know is reported (the pages' tests fail on it) and leaves its entry without
// a value, so that choosing it writes nothing.
function named(enumeration, entries) {
    var result = [];
    for (var i = 0; i < entries.length; ++i) {
        var value = enumeration ? enumeration[entries[i][1]] : undefined;
        if (typeof value !== "number")
            console.warn("Unknown enumeration value", entries[i][1]);
        result.push({ text: entries[i][0], value: typeof value === "number" ? value : undefined });
    }
    return result;
}

// One printable ASCII character, what most text fields of the gateway hold.
var printable = /[\x20-\x7E]/;

// The characters of a text that do not match `allowed` (a pattern for one
// character), each once, in order; empty when all match or there is no rule.
function refusedCharacters(text, allowed) {
    if (!allowed)
        return "";
    var refused = "";
    for (var i = 0; i < text.length; ++i) {
        var c = text.charAt(i);
        if (!matchesWhole(c, allowed) && refused.indexOf(c) < 0)
            refused += c;
    }
    return refused;
}

// Whether the whole text, not only a part of it, matches the pattern.
function matchesWhole(text, pattern) {
    return new RegExp("^(?:" + pattern.source + ")$").test(text);
}

// Whether an item is shown on its page; on a page that is itself hidden (a
// tab in the background) every item counts as shown.
function shownOnPage(item) {
    var page = pageOf(item);
    return item.visible || !page || !page.visible;
}
