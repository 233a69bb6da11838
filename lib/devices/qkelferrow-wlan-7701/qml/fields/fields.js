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
