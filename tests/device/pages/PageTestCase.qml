import QtQuick 2.15
import QtTest 1.15

// A test case over one page of the driver in the real engine: every test
// function starts on a new configuration of the real driver and fails on any
// warning printed while it ran. Set `source` to the page; `prepare()` runs
// after the new configuration is in place.
TestCase {
    id: testCase

    property string source
    property Item host: parent
    property QtObject device: null

    function prepare() {}

    function init() {
        pagesTest.watchWarnings()
        var previous = stateMachine.currentDevice
        stateMachine.doNewConfiguration("012001017701")
        tryVerify(function() { return stateMachine.currentDevice !== null && stateMachine.currentDevice !== previous })
        device = stateMachine.currentDevice
        prepare()
    }

    function cleanup() {
        compare(pagesTest.takeWarnings(), [], "warnings")
    }

    Component {
        id: loaderComponent
        Loader { anchors.fill: parent }
    }

    // The page bound to the test's device and the real session, as the main
    // window hands them over.
    function createPage(path) {
        var loader = createTemporaryObject(loaderComponent, host)
        loader.setSource(path || source, { device: device, session: stateMachine })
        tryCompare(loader, "status", Loader.Ready)
        return loader.item
    }

    function child(item, name) {
        var found = findChild(item, name)
        verify(found !== null, name)
        return found
    }
}
