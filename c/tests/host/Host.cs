// A foreign host: calls the C interface through P/Invoke, as any .NET program would,
// and prints what it gets; CI compares the output with expected.txt.
using System;
using System.Runtime.InteropServices;
using System.Text;

static class Tervanix {
    const string Library = "tervanix_c";

    // tvx_Array, with its bounds spelled out so that the struct stays blittable.
    [StructLayout(LayoutKind.Sequential)]
    public struct Array1D {
        public IntPtr data;
        public int type, rank, lower0, lower1, lower2, upper0, upper1, upper2;
    }

    [DllImport(Library)] public static extern int tvx_cGenUtil_LogDBSum(double X, double Y, out double result);
    [DllImport(Library)] public static extern int tvx_cGenUtil_Log10(double X, out double result);
    [DllImport(Library)] public static extern int tvx_cGenUtil_IsEqualRel(double X, double Y, double tol);
    [DllImport(Library)] public static extern int tvx_cGenUtil_Avg(double X, double Y, IntPtr result);
    [DllImport(Library, CharSet = CharSet.Unicode)] public static extern int tvx_cGenUtil_IntToBin(short nInt, [Out] char[] sBin, int capacity, out int length);
    [DllImport(Library)] public static extern int tvx_CSort_BubbleSortXYPairsByX(ref Array1D vXData, ref Array1D vYData);
    [DllImport(Library)] public static extern int tvx_cMatrix2_Create(out IntPtr matrix);
    [DllImport(Library)] public static extern int tvx_cMatrix2_Destroy(IntPtr matrix);
    [DllImport(Library)] public static extern int tvx_cMatrix2_PutData(IntPtr matrix, int row, int col, double value);
    [DllImport(Library)] public static extern int tvx_cMatrix2_NumCols(IntPtr matrix, out int result);
    [DllImport(Library)] public static extern int tvx_cMatrix2_SetNumCols(IntPtr matrix, int i);
    [DllImport(Library)] public static extern int tvx_cMatrixOps_MatrixTrans(IntPtr Original, ref IntPtr Transposed);
    [DllImport(Library)] public static extern int tvx_cMatrix2_NumRows(IntPtr matrix, out int result);
    [DllImport(Library)] public static extern IntPtr tvx_LastErrorMessage();

    public static string LastError() => Marshal.PtrToStringAnsi(tvx_LastErrorMessage());
}

static class Host {
    static string Bits(double x) => BitConverter.DoubleToInt64Bits(x).ToString("X16");

    static string Join(double[] values) {
        var text = new StringBuilder();
        foreach (double v in values) text.Append(text.Length > 0 ? " " : "").Append(v);
        return text.ToString();
    }

    // Sorts two arrays of the host in place, the first by value, the second along with it.
    static int SortPairs(double[] x, double[] y) {
        GCHandle px = GCHandle.Alloc(x, GCHandleType.Pinned), py = GCHandle.Alloc(y, GCHandleType.Pinned);
        try {
            var ax = new Tervanix.Array1D { data = px.AddrOfPinnedObject(), rank = 1, lower0 = 1, upper0 = x.Length };
            var ay = new Tervanix.Array1D { data = py.AddrOfPinnedObject(), rank = 1, lower0 = 1, upper0 = y.Length };
            return Tervanix.tvx_CSort_BubbleSortXYPairsByX(ref ax, ref ay);
        } finally {
            px.Free();
            py.Free();
        }
    }

    static int Main() {
        double r;
        int status = Tervanix.tvx_cGenUtil_LogDBSum(85, 82, out r);
        Console.WriteLine("LogDBSum(85, 82): status " + status + ", bits " + Bits(r));
        Console.WriteLine("IsEqualRel(100, 101, 0.02): " + Tervanix.tvx_cGenUtil_IsEqualRel(100, 101, 0.02));
        Console.WriteLine("IsEqualRel(100, 110, 0.02): " + Tervanix.tvx_cGenUtil_IsEqualRel(100, 110, 0.02));

        status = Tervanix.tvx_cGenUtil_Log10(0, out r);
        Console.WriteLine("Log10(0): status " + status + ", message given: " + (Tervanix.LastError().Length > 0));
        status = Tervanix.tvx_cGenUtil_Avg(1, 2, IntPtr.Zero);
        Console.WriteLine("Avg into a null pointer: status " + status + ", message: " + Tervanix.LastError());

        var text = new char[32];
        int length;
        status = Tervanix.tvx_cGenUtil_IntToBin(-2, text, text.Length, out length);
        Console.WriteLine("IntToBin(-2): status " + status + ", " + new string(text, 0, length));

        double[] x = {3, 1, 2}, y = {30, 10, 20};
        status = SortPairs(x, y);
        Console.WriteLine("sorted pairs: status " + status + ", x = " + Join(x) + ", y = " + Join(y));

        IntPtr m, t = IntPtr.Zero;
        int rows;
        Tervanix.tvx_cMatrix2_Create(out m);
        Tervanix.tvx_cMatrix2_SetNumCols(m, 3);
        Tervanix.tvx_cMatrix2_PutData(m, 1, 3, 7.5);
        status = Tervanix.tvx_cMatrixOps_MatrixTrans(m, ref t);
        Tervanix.tvx_cMatrix2_NumRows(t, out rows);
        Console.WriteLine("MatrixTrans of a 1 x 3 matrix: status " + status + ", rows " + rows);
        Tervanix.tvx_cMatrix2_Destroy(t);
        Tervanix.tvx_cMatrix2_Destroy(m);
        return 0;
    }
}
