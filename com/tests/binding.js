// The component as JScript sees it. JScript has no by-reference variables: it reaches
// return values, its own arrays (read, and written back in place), arrays it received
// from the component, objects and errors.
// Ends with the line "jscript: N passed, M failed"; CI requires it, with M = 0.
var passed = 0, failed = 0;
function check(name, condition) {
    if (condition) passed++;
    else { failed++; WScript.Echo("FAILED: " + name); }
}
// Runs f, which must raise run-time error `number` (the low word of e.number) with a
// description that starts with `start`.
function raises(name, f, number, start) {
    try {
        f();
        check(name + " raises " + number + " (nothing raised)", false);
    } catch (e) {
        var n = e.number & 0xFFFF;
        check(name + " raises " + number + " (got " + n + ": " + e.description + ")",
              n == number && e.description.substr(0, start.length) == start);
    }
}

var geom = new ActiveXObject("Tervanix.cGeom");
var util = new ActiveXObject("Tervanix.cGenUtil");
var ops = new ActiveXObject("Tervanix.cMatrixOps");
var mat = new ActiveXObject("Tervanix.cMatrix");

check("a Double", geom.Distance2D(0, 0, 3, 4) === 5);
check("any case", geom.distance3d(0, 0, 0, 1, 2, 2) === 3);
check("a Boolean is true or false", util.IsEqualAbs(1, 1.05, 0.1) === true && util.IsEqualRel(1, 2, 0.1) === false);
check("a number of any kind", geom.DegToRad(180) === geom.PI());
raises("text for a number", function () { geom.Distance2D(0, 0, "3", 4); }, 13, "cGeom.Distance2D: TypeMismatch: x2 holds text");
raises("a missing argument", function () { geom.Distance2D(0, 0, 3); }, 449, "cGeom.Distance2D: ArgumentNotOptional: y2");
var sorter = new ActiveXObject("Tervanix.CSort");
var words = ["pear", "apple", "fig"];
sorter.BubbleSort1DArray(words);
check("a script array sorted in place", words.join() === "apple,fig,pear");
var xs = [3, 1, 2], ys = [30, 10, 20];
sorter.BubbleSortXYPairsByX(xs, ys);
check("pairs sorted by X in script arrays", xs.join() === "1,2,3" && ys.join() === "10,20,30");
var ip = new ActiveXObject("Tervanix.CInterpolation");
var tx = [3, 1, 2], ty = [30, 10, 20];
check("a lookup in script arrays", ip.InterpolationOf1DArray(2.5, tx, ty, 1, 0) === true && tx.join() === "1,2,3" && ty[2] === 30);
raises("text in a script array of numbers", function () { ip.InterpolationOf1DArray(1, [1, "a"], [1, 2], 1, 0); },
       13, "CInterpolation.InterpolationOf1DArray: TypeMismatch: dXArray: element (1) holds text");
raises("an object that is no array", function () { sorter.BubbleSort1DArray(geom); }, 13, "CSort.BubbleSort1DArray: TypeMismatch: ");
raises("a library error", function () { util.Log10(-1); }, 5, "cGenUtil.Log10: InvalidArgument: ");
check("an output passed by value is accepted", geom.Line2D(1, 2, 3, 6, 0, 0) === true);
check("the reason for the last False", geom.Line2D(1, 2, 1, 6, 0, 0) === false && geom.LastFalseCode === 10);

var a = new ActiveXObject("Tervanix.cMatrix2");
a.NumRows = 2;
a.NumCols = 2;
a.PutData(1, 1, 2);
a.PutData(2, 2, 4);
check("properties", a.NumRows === 2 && a.GetData(2, 2) === 4);
raises("Nothing for a matrix", function () { ops.MatrixTrans(null, null); }, 424, "cMatrixOps.MatrixTrans: MissingObject: ");
raises("a foreign object for a matrix", function () { ops.MatrixTrans(geom, null); }, 13, "cMatrixOps.MatrixTrans: TypeMismatch: Original");

mat.MatrixSize(2);
mat.AddToMatrix(1, 1, 2);
mat.AddToMatrix(2, 2, 4);
mat.AddToVector(1, 2);
mat.AddToVector(2, 8);
check("Calc returns True", mat.Calc(null) === true);
mat.HelpForProgrammer();
var texts = new VBArray(mat.LastMessages).toArray();
check("an array from the component", texts.length >= 2 && texts[0].indexOf("simultaneous equations") >= 0);

WScript.Echo("jscript: " + passed + " passed, " + failed + " failed");
